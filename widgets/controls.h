// Small controls the design windows share: a radio group with an item index, the key filter
// of numeric edits, a picture control, and the window's flat speed buttons.
#pragma once

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QObject>
#include <QStringList>
#include <QToolButton>
#include <initializer_list>
#include <vector>

class QColor;

class QButtonGroup;
class QGridLayout;
class QHBoxLayout;
class QMouseEvent;

// A titled group of radio buttons in columns; itemIndex() is −1 while none is selected.
class RadioGroup : public QGroupBox {
  Q_OBJECT
public:
  RadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent = nullptr);

  int itemIndex() const;
  // Selects an item, or none for −1; emits nothing.
  void setItemIndex(int index);
  QStringList items() const { return m_items; }
  QString itemCaption(int index) const;

signals:
  void clicked();  // the user selected an item

private:
  QStringList m_items;
  QButtonGroup* m_group;
};

// Discards every typed character but the digits, "." and Backspace: no sign, blank or
// exponent can be typed. Pasted text is not filtered.
class NumericKeyFilter : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// The one picture control: shows a picture file at its natural size, or an image drawn by the
// program in a box of fixed size. A click with the left button is a command in some windows
// (a picture that runs its step).
class PictureBox : public QLabel {
  Q_OBJECT
public:
  explicit PictureBox(const QString& name, QWidget* parent = nullptr);
  // A box of fixed size for drawn images, white until the first one.
  PictureBox(const QString& name, QSize size, QWidget* parent = nullptr);
  // Loads the file when it exists; a missing or unreadable file leaves the picture as it was.
  bool LoadFile(const QString& path);
  void setImage(const QImage& image);
  const QImage& image() const { return m_image; }

signals:
  void clicked();

protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  QImage m_image;  // the drawn image as given, for readers of its pixels
};

// The 160 × 45 flat speed button of the wizard's left panel.
QToolButton* MakeSpeedButton(const QString& name, const QString& caption, int pixelSize,
                             const QColor& color, QWidget* parent);

class QLineEdit;
class QPushButton;

// Named controls, as every window makes them.
QPushButton* MakeButton(const QString& name, const QString& caption, QWidget* parent);
QLineEdit* MakeEdit(const QString& name, const QString& text, QWidget* parent);
QLabel* MakeLabel(const QString& name, const QString& caption, QWidget* parent);
// "φ1 [edit] °": a labelled edit with its unit, in three cells of a grid row.
QLineEdit* AddEditRow(QGridLayout* grid, int row, int column, const QString& label,
                      const QString& name, const QString& text, const QString& unit);
// An edit as a step declares it: its caption, object name, start text and unit.
struct EditSpec {
  const char* label;
  const char* name;
  const char* text;
  const char* unit;
};
QLineEdit* AddEditRow(QGridLayout* grid, int row, int column, const EditSpec& edit);
// A titled group holding one picture.
QGroupBox* PictureGroup(const QString& title, PictureBox*& picture, const QString& name, QWidget* parent);
// True when any of the edits holds nothing but blanks.
bool AnyEmpty(std::initializer_list<const QLineEdit*> edits);
// A word-wrapped note.
QLabel* MakeNote(const QString& text, QWidget* parent);

// --- Layouts of the step groups ---

// The two buttons under a step's groups (confirm and cancel, or calculate and confirm).
QHBoxLayout* ButtonRow(QPushButton* first, QPushButton* second);
// "计算结果" with its heading and the result labels one under the other.
QGroupBox* ResultGroup(const QString& heading, const std::vector<QLabel*>& labels, QWidget* parent);
// A calculation step: "计算依据" over "计算结果", then "计算" and the confirm button.
void CalculationStep(QGroupBox* step, QGroupBox* basis, const QString& heading, const std::vector<QLabel*>& results,
                     QPushButton* calc, QPushButton* confirm);
