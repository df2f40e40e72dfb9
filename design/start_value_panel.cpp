#include "design/start_value_panel.h"

#include "base/convert.h"
#include "base/desktop.h"
#include "base/errors.h"
#include "widgets/controls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

StartValuePanel::StartValuePanel(const Config& config, QWidget* parent)
    : QWidget(parent), m_requireFilled(config.requireFilled) {
  setObjectName(QStringLiteral("IniSelect"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* startGroup = new QGroupBox(QStringLiteral("初值设置"), this);
  auto* startColumn = new QVBoxLayout(startGroup);
  for (const QString& note : config.notes) startColumn->addWidget(MakeNote(note, startGroup));
  auto* grid = new QGridLayout;
  startColumn->addLayout(grid);
  int row = 0;
  for (const StartValueField& f : config.starts) {
    // Two columns of start values, as many rows as they need.
    const int column = (row % 2) * 3;
    m_starts.push_back(AddEditRow(grid, row / 2, column, f.label, f.name, f.text, f.unit));
    ++row;
  }
  auto* settings = new QGroupBox(QStringLiteral("迭代精度与最大次数"), this);
  auto* settingsGrid = new QGridLayout(settings);
  txteps = AddEditRow(settingsGrid, 0, 0, QStringLiteral("精度要求："), QStringLiteral("txteps"),
                      QStringLiteral("1e-7"), {});
  txtmax = AddEditRow(settingsGrid, 0, 3, QStringLiteral("最大迭代次数："), QStringLiteral("txtmax"),
                      QStringLiteral("100"), {});
  IniOk = MakeButton(QStringLiteral("IniOk"), QStringLiteral("确定"), this);
  IniCancel = MakeButton(QStringLiteral("IniCancel"), QStringLiteral("取消"), this);
  layout->addWidget(startGroup);
  layout->addWidget(settings);
  layout->addLayout(ButtonRow(IniOk, IniCancel));
  // The remembered texts start as the defaults.
  for (QLineEdit* edit : edits()) edit->setToolTip(edit->text());
  hide();

  connect(IniOk, &QPushButton::clicked, this, [this] { Guarded([this] { IniOkClick(); }); });
  connect(IniCancel, &QPushButton::clicked, this, [this] { Guarded([this] { IniCancelClick(); }); });
}

std::vector<QLineEdit*> StartValuePanel::edits() const {
  std::vector<QLineEdit*> all = {txteps, txtmax};
  all.insert(all.end(), m_starts.begin(), m_starts.end());
  return all;
}

void StartValuePanel::Attach(QAbstractButton* iniset, QAbstractButton* calc, QAbstractButton* confirm) {
  m_iniset = iniset;
  m_calc = calc;
  m_confirm = confirm;
  if (m_iniset)
    connect(m_iniset, &QAbstractButton::clicked, this, [this] { Guarded([this] { InisetClick(); }); });
}

void StartValuePanel::SetMessage(QLabel* message, const QString& defaultText) {
  m_message = message;
  m_defaultMessage = defaultText;
}

void StartValuePanel::ShowMessage(const QString& text, bool red) {
  if (!m_message) return;
  m_message->setText(text);
  m_message->setStyleSheet(red ? QStringLiteral("color: red") : QStringLiteral("color: black"));
}

void StartValuePanel::InisetClick() {
  for (QLineEdit* edit : edits()) edit->setToolTip(edit->text());
  for (QAbstractButton* button : {m_calc, m_iniset, m_confirm})
    if (button) button->setEnabled(false);
  show();
  if (!m_starts.empty()) m_starts.front()->setFocus();
}

void StartValuePanel::close() {
  ShowMessage(m_defaultMessage, false);
  for (QAbstractButton* button : {m_iniset, m_calc})
    if (button) button->setEnabled(true);
  if (m_confirm) m_confirm->setEnabled(false);
  hide();
}

void StartValuePanel::IniOkClick() {
  if (m_requireFilled)
    for (QLineEdit* edit : edits())
      if (edit->text().trimmed().isEmpty()) {
        ShowMsg(QStringLiteral("请输入数据！"));
        if (!m_starts.empty()) m_starts.front()->setFocus();
        return;
      }
  if (onOk) onOk();
  close();
}

void StartValuePanel::IniCancelClick() {
  for (QLineEdit* edit : edits()) edit->setText(edit->toolTip());
  if (onCancel) onCancel();
  close();
}

bool StartValuePanel::ReadSettings(Extended& eps, int& limit, TExtendedArray& start) const {
  try {
    const Extended accuracy = StrToFloat(txteps->text());
    const int iterations = StrToInt(txtmax->text());
    TExtendedArray values;
    for (QLineEdit* edit : m_starts) values.push_back(StrToFloat(edit->text()));
    // A limit below 1 would let the solver run without end.
    if (iterations < 1) throw EConvertError(txtmax->text());
    eps = accuracy;
    limit = iterations;
    start = values;
    return true;
  } catch (const EConvertError&) {
    ShowMsg(QStringLiteral("设置有误！"));
    return false;
  }
}
