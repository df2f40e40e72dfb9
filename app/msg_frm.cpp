#include "app/msg_frm.h"

#include "widgets/fonts.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <cmath>

namespace {
constexpr int kMinWidth = 215;
constexpr int kHeight = 92;
constexpr int kLabelTop = 20, kButtonTop = 55;
}  // namespace

TMsgFrm::TMsgFrm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TMsgFrm"));
  setWindowTitle(QStringLiteral("Kinvora"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFont(SongTi(12));
  setFixedSize(204, kHeight);
  Label1 = new QLabel(QStringLiteral("请选择设计类型"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setFont(SongTi(14));
  Button1 = new QPushButton(QStringLiteral("确  定"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setFixedSize(75, 25);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  Prepare(Label1->text());
  setFixedSize(204, kHeight);  // the size at rest
}

void TMsgFrm::Prepare(const QString& text) {
  Label1->setText(text);
  Label1->adjustSize();  // the label sizes itself to the text
  const int width = Label1->width() <= kMinWidth ? kMinWidth : Label1->width() + 50;
  setFixedSize(width, kHeight);
  Label1->move(int(std::lround((width - Label1->width()) / 2.0)), kLabelTop);
  Button1->move(int(std::lround((width - Button1->width()) / 2.0)), kButtonTop);
}

void TMsgFrm::ShowMsg(const QString& text) {
  Prepare(text);
  if (!m_placed) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      move(screen->availableGeometry().center() - rect().center());
    m_placed = true;
  }
  exec();
}
