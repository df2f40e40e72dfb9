// The one-line modal message form behind ShowMsg: a label and the button "确  定", the form
// as wide as the text needs, but never narrower than 215 pixels.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TMsgFrm : public QDialog {
  Q_OBJECT
public:
  explicit TMsgFrm(QWidget* parent = nullptr);

  // Puts the text into the label and sizes and centres the form's controls.
  void Prepare(const QString& text);
  // Prepare, then show the form modally until the user closes it.
  void ShowMsg(const QString& text);

  QLabel* Label1;
  QPushButton* Button1;

private:
  bool m_placed = false;  // centred on the desktop at the first showing only
};
