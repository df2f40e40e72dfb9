// The linkage workbench: a hinged four-bar or a crank-slider, typed or handed over by an
// analysis panel, drawn with E's whole coupler curve as soon as an input changes. E and the
// joints can be dragged in the view; readouts give the kind, the input's range, the smallest
// transmission angle, the curve's extent and E's largest speed; E's path exports as CSV and
// the view as PNG and SVG. An ordinary window: several may be open.
#pragma once

#include "link/coupler.h"
#include "link/linkage_scene.h"

#include <QMainWindow>
#include <QTimer>

class LinkageView;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSlider;

class TLinkageFrm : public QMainWindow {
  Q_OBJECT

public:
  static constexpr int kIntervals = 3600;  // steps of E's path over the input's range

  explicit TLinkageFrm(QWidget* parent = nullptr);

  // Shows a linkage of a four-bar kind or a crank-slider with its coupler point (lenBE mm
  // from B, delta rad against BC) in the inputs, and draws it.
  void LoadLinkage(const Linkage& linkage, Extended lenBE, Extended delta);

  // Reads every input; a bad one is marked at its field with the reason and the last good
  // drawing stays. `refit` fits the view to the new curve. False when an input was refused.
  bool Redraw(bool refit = true);
  // The reason an input is marked with; empty while it is good.
  static QString MarkOf(const QLineEdit* edit);

  void btnPlayClick();
  // Loads the linkage a saved design reached.
  void OpenRecordClick();
  void btnCsvClick();
  void btnPngClick();
  void btnSvgClick();
  // A joint of the view taken to the point `mm`: E changes BE and δ; B, C and D the lengths
  // of the links they join.
  void DragJoint(SceneJoint joint, QPointF mm);

  const CouplerLinkage& linkage() const { return m_linkage; }
  const CouplerPath& path() const { return m_path; }
  Extended omega() const { return m_omega; }  // rad/s

  QComboBox *cboKind, *cboBranch;
  QLineEdit *edtA, *edtB, *edtC, *edtD, *edtE, *edtBE, *edtDelta, *edtOmega;
  LinkageView* view;
  QSlider* AngleSlider;
  QPushButton *btnPlay, *btnCsv, *btnPng, *btnSvg;
  QLabel *lblClass, *lblRange, *lblGamma, *lblExtent, *lblSpeed, *lblError;
  QMenu* mnuFile;

private:
  QWidget* buildInputs();
  QWidget* buildReadouts();
  void kindChanged();
  bool readInputs(CouplerLinkage& k, Extended& omega);
  void markUnassemblable(const CouplerLinkage& k);
  void showPose(int index);
  void showReadouts();
  void inputsChanged();
  int nearestSample(Extended phi, bool crossed) const;
  QString askSavePath(const QString& caption, const QString& name, const QString& filter, const QString& suffix);

  QLabel *m_lblA, *m_lblB, *m_lblC, *m_lblD, *m_lblE;
  CouplerLinkage m_linkage;
  CouplerPath m_path;
  Extended m_omega = 0;
  bool m_drawn = false;
  bool m_filling = false;  // inputs set by the program: one redraw at the end, not one per edit
  QTimer m_timer;
};
