#include "widgets/controls.h"

#include "widgets/fonts.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(title, parent), m_items(items), m_group(new QButtonGroup(this)) {
  auto* grid = new QGridLayout(this);
  const int rows = (items.size() + columns - 1) / std::max(columns, 1);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    m_group->addButton(button, i);
    grid->addWidget(button, i % rows, i / rows);  // columns filled top to bottom
  }
  connect(m_group, &QButtonGroup::idClicked, this, [this](int) { emit clicked(); });
}

int RadioGroup::itemIndex() const { return m_group->checkedId(); }

void RadioGroup::setItemIndex(int index) {
  if (index >= 0 && index < m_items.size()) {
    m_group->button(index)->setChecked(true);
    return;
  }
  // A button group that is exclusive will not let its last checked button go.
  m_group->setExclusive(false);
  for (QAbstractButton* b : m_group->buttons()) b->setChecked(false);
  m_group->setExclusive(true);
}

QString RadioGroup::itemCaption(int index) const {
  return index >= 0 && index < m_items.size() ? m_items[index] : QString();
}

bool NumericKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    // Control keys (arrows, Delete, Backspace, Ctrl+V) carry no printable text and pass.
    if (text.size() == 1 && text[0].isPrint() && !(text[0].isDigit() && text[0] < u'\x80') &&
        text[0] != u'.')
      return true;
  }
  return QObject::eventFilter(watched, event);
}

PictureBox::PictureBox(const QString& name, QWidget* parent) : QLabel(parent) {
  setObjectName(name);
  setAlignment(Qt::AlignCenter);
}

PictureBox::PictureBox(const QString& name, QSize size, QWidget* parent) : PictureBox(name, parent) {
  setFixedSize(size);
  QImage blank(size, QImage::Format_RGB32);
  blank.fill(Qt::white);
  setImage(blank);
}

void PictureBox::setImage(const QImage& image) {
  m_image = image;
  setPixmap(QPixmap::fromImage(image));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

bool PictureBox::LoadFile(const QString& path) {
  if (!QFileInfo::exists(path)) return false;
  QPixmap picture;
  if (!picture.load(path)) return false;
  setPixmap(picture);
  return true;
}

QToolButton* MakeSpeedButton(const QString& name, const QString& caption, int pixelSize,
                             const QColor& color, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setText(caption);
  button->setAutoRaise(true);
  button->setFixedSize(160, 45);
  button->setFont(SongTi(pixelSize));
  QPalette palette = button->palette();
  // Disabled steps keep the style's grey, so the reached steps stand out.
  palette.setColor(QPalette::Active, QPalette::ButtonText, color);
  palette.setColor(QPalette::Inactive, QPalette::ButtonText, color);
  button->setPalette(palette);
  return button;
}

QPushButton* MakeButton(const QString& name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

QLineEdit* MakeEdit(const QString& name, const QString& text, QWidget* parent) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  return edit;
}

QLabel* MakeLabel(const QString& name, const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  return label;
}

QLineEdit* AddEditRow(QGridLayout* grid, int row, int column, const QString& label,
                      const QString& name, const QString& text, const QString& unit) {
  QWidget* parent = grid->parentWidget();
  QLineEdit* edit = MakeEdit(name, text, parent);
  edit->setFixedWidth(80);
  grid->addWidget(new QLabel(label, parent), row, column);
  grid->addWidget(edit, row, column + 1);
  grid->addWidget(new QLabel(unit, parent), row, column + 2);
  return edit;
}

QLabel* MakeNote(const QString& text, QWidget* parent) {
  auto* note = new QLabel(text, parent);
  note->setWordWrap(true);
  note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return note;
}

QHBoxLayout* ButtonRow(QPushButton* first, QPushButton* second) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(first);
  row->addSpacing(40);
  row->addWidget(second);
  row->addStretch(1);
  return row;
}

QGroupBox* ResultGroup(const QString& heading, const std::vector<QLabel*>& labels, QWidget* parent) {
  auto* group = new QGroupBox(QStringLiteral("计算结果"), parent);
  auto* column = new QVBoxLayout(group);
  column->addWidget(new QLabel(heading, group));
  for (QLabel* label : labels) {
    label->setParent(group);
    label->setContentsMargins(30, 0, 0, 0);
    column->addWidget(label);
  }
  column->addStretch(1);
  return group;
}

void CalculationStep(QGroupBox* step, QGroupBox* basis, const QString& heading, const std::vector<QLabel*>& results,
                     QPushButton* calc, QPushButton* confirm) {
  auto* layout = new QVBoxLayout(step);
  layout->addWidget(basis, 3);
  layout->addWidget(ResultGroup(heading, results, step), 2);
  layout->addLayout(ButtonRow(calc, confirm));
}

QLineEdit* AddEditRow(QGridLayout* grid, int row, int column, const EditSpec& edit) {
  return AddEditRow(grid, row, column, QString::fromUtf8(edit.label), QString::fromLatin1(edit.name),
                    QString::fromLatin1(edit.text), QString::fromUtf8(edit.unit));
}

QGroupBox* PictureGroup(const QString& title, PictureBox*& picture, const QString& name, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  picture = new PictureBox(name, group);
  (new QVBoxLayout(group))->addWidget(picture);
  return group;
}

bool AnyEmpty(std::initializer_list<const QLineEdit*> edits) {
  for (const QLineEdit* edit : edits)
    if (edit->text().trimmed().isEmpty()) return true;
  return false;
}
