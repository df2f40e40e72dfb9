// The start-value panel of a step solved by the quasi-Newton solver (IniSelect): the start
// values, the accuracy and the iteration limit. "初值设置" opens it and remembers the texts
// (in the edits' hints) for "取消"; a failed solution opens it by itself. One widget for every
// window that solves a nonlinear system, configured by the window.
#pragma once

#include "base/types.h"

#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QPushButton;

struct StartValueField {
  QString name, label, text, unit;  // "IniP0", "P0=", "10", ""
};

class StartValuePanel : public QWidget {
  Q_OBJECT

public:
  struct Config {
    QStringList notes;                    // under the title "初值设置"
    std::vector<StartValueField> starts;  // the start vector, in the solver's order
    bool requireFilled = false;  // "确定" with an empty edit says "请输入数据！" and stays open
  };

  explicit StartValuePanel(const Config& config, QWidget* parent = nullptr);

  // The step's buttons the panel switches: "初值设置", the calculation and the confirm.
  void Attach(QAbstractButton* iniset, QAbstractButton* calc, QAbstractButton* confirm);
  // The step's message label and its default text, shown in black when the panel closes.
  void SetMessage(QLabel* message, const QString& defaultText);
  // What the window resets besides when the panel closes by "确定" or "取消" (result displays).
  std::function<void()> onOk, onCancel;

  void InisetClick();  // remember the texts, disable the step's buttons, show, focus
  void IniOkClick();
  void IniCancelClick();
  // The step message in red (a failure or an unusable solution) or black.
  void ShowMessage(const QString& text, bool red);

  // The accuracy, the iteration limit and the start vector; "设置有误！" and false when a text
  // is not a number or the limit is not a whole number of at least 1.
  bool ReadSettings(Extended& eps, int& limit, TExtendedArray& start) const;

  QLineEdit* Start(int i) const { return m_starts[i]; }
  QLineEdit *txteps, *txtmax;
  QPushButton *IniOk, *IniCancel;

private:
  std::vector<QLineEdit*> edits() const;
  void close();

  std::vector<QLineEdit*> m_starts;
  bool m_requireFilled;
  QAbstractButton *m_iniset = nullptr, *m_calc = nullptr, *m_confirm = nullptr;
  QLabel* m_message = nullptr;
  QString m_defaultMessage;
};
