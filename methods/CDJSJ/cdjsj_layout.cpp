#include "methods/CDJSJ/cdjsj_layout.h"

#include "base/convert.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace cdjsj {

double read(const QLineEdit* edit) { return double(StrToFloat(edit->text())); }

QGroupBox* editGroup(const QString& title, const QString& caption, const std::vector<EditSpec>& specs,
                     std::vector<QLineEdit*>& edits, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  auto* column = new QVBoxLayout(group);
  if (!caption.isEmpty()) column->addWidget(MakeNote(caption, group));
  auto* grid = new QGridLayout;
  grid->setColumnStretch(3, 1);
  int row = 0;
  for (const EditSpec& s : specs)
    edits.push_back(AddEditRow(grid, row++, 0, s));
  column->addLayout(grid);
  column->addStretch(1);
  return group;
}

QGroupBox* notesGroup(const QString& title, const QStringList& notes, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  auto* column = new QVBoxLayout(group);
  for (const QString& note : notes) column->addWidget(MakeNote(note, group));
  column->addStretch(1);
  return group;
}

void inputStepLayout(QGroupBox* step, QGroupBox* input, QGroupBox* sketch, QGroupBox* notes, QPushButton* ok,
                     QPushButton* cancel) {
  auto* grid = new QGridLayout(step);
  grid->addWidget(input, 0, 0);
  grid->addWidget(sketch, 0, 1);
  grid->addWidget(notes, 1, 0, 1, 2);
  grid->addLayout(ButtonRow(ok, cancel), 2, 0, 1, 2);
  grid->setColumnStretch(0, 1);
  grid->setRowStretch(1, 1);
}

void chartStepLayout(QGroupBox* step, ChartView* chart, QGroupBox* readings,
                     const std::vector<QPushButton*>& buttons) {
  auto* row = new QHBoxLayout(step);
  row->setContentsMargins(4, 4, 4, 4);
  row->addWidget(chart, 0, Qt::AlignTop);
  auto* column = new QVBoxLayout;
  column->addWidget(readings);
  column->addStretch(1);
  for (QPushButton* b : buttons) column->addWidget(b);
  row->addLayout(column, 1);
}

void calculationLayout(QGroupBox* step, QGroupBox* basis, QGroupBox* results, QPushButton* calc,
                       QPushButton* next) {
  auto* column = new QVBoxLayout(step);
  column->addWidget(basis, 3);
  column->addWidget(results, 2);
  column->addLayout(ButtonRow(calc, next));
}

ChartView::Names chartNames(const char* panel, const char* picture, const char* overlay, const char* menu,
                            const char* in, const char* out, const char* restore) {
  return {QString::fromLatin1(panel), QString::fromLatin1(picture), QString::fromLatin1(overlay),
          QString::fromLatin1(menu),  QString::fromLatin1(in),      QString::fromLatin1(out),
          QString::fromLatin1(restore)};
}

}  // namespace cdjsj
