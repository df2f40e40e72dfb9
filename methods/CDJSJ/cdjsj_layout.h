// Shared pieces of the transmission-angle window's types: the layouts of their steps and the
// conversion of their edits.
#pragma once

#include "methods/CDJSJ/chart_view.h"
#include "widgets/controls.h"

#include <QStringList>
#include <vector>

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace cdjsj {

constexpr int kRocker1 = 0, kRocker2 = 1, kSlider = 2, kDoubleCrank = 3;

double read(const QLineEdit* edit);
// A titled group of labelled edits, one under the other, after an optional caption.
QGroupBox* editGroup(const QString& title, const QString& caption, const std::vector<EditSpec>& specs,
                     std::vector<QLineEdit*>& edits, QWidget* parent);
QGroupBox* notesGroup(const QString& title, const QStringList& notes, QWidget* parent);
// The first step of a type: the inputs beside the position sketch, the notes under both and the
// two buttons at the bottom.
void inputStepLayout(QGroupBox* step, QGroupBox* input, QGroupBox* sketch, QGroupBox* notes, QPushButton* ok,
                     QPushButton* cancel);
// A chart on the left; the readings and the buttons, one under the other, on the right.
void chartStepLayout(QGroupBox* step, ChartView* chart, QGroupBox* readings,
                     const std::vector<QPushButton*>& buttons);
// A calculation step: "计算依据" with its formula picture over "计算结果", then the buttons.
void calculationLayout(QGroupBox* step, QGroupBox* basis, QGroupBox* results, QPushButton* calc,
                       QPushButton* next);
ChartView::Names chartNames(const char* panel, const char* picture, const char* overlay, const char* menu,
                            const char* in, const char* out, const char* restore);

}  // namespace cdjsj
