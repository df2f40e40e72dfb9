#include "app/about_frm.h"

#include "widgets/fonts.h"
#include "base/appdir.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>

QPixmap DrawLinkageSketch(QSize size, const QString& title, const QString& subtitle) {
  QPixmap pixmap(size);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, size.height());
  sky.setColorAt(0, QColor(235, 242, 250));
  sky.setColorAt(1, QColor(205, 220, 238));
  p.fillRect(pixmap.rect(), sky);

  // A crank-rocker at a scale that fills the lower half of the picture.
  const qreal unit = size.width() / 6.0;
  const QPointF A(size.width() * 0.25, size.height() * 0.72);
  const QPointF D(A.x() + 2.2 * unit, A.y());
  const qreal phi = 1.1;  // crank angle, radians
  const QPointF B(A.x() + 0.6 * unit * std::cos(phi), A.y() - 0.6 * unit * std::sin(phi));
  // C from the circle intersection of BC = 2.0 and DC = 1.6 units, upper branch.
  const qreal bc = 2.0 * unit, dc = 1.6 * unit;
  const QPointF bd = D - B;
  const qreal dist = std::hypot(bd.x(), bd.y());
  const qreal along = (bc * bc - dc * dc + dist * dist) / (2 * dist);
  const qreal h = std::sqrt(std::max(0.0, bc * bc - along * along));
  const QPointF mid = B + bd * (along / dist);
  const QPointF C(mid.x() + h * bd.y() / dist, mid.y() - h * bd.x() / dist);

  p.setPen(QPen(QColor(60, 60, 60), 1));
  for (qreal x = A.x() - 0.5 * unit; x < D.x() + 0.5 * unit; x += 8)
    p.drawLine(QPointF(x, A.y() + 14), QPointF(x + 8, A.y() + 22));
  p.drawLine(QPointF(A.x() - 0.5 * unit, A.y() + 14), QPointF(D.x() + 0.5 * unit, D.y() + 14));
  const std::pair<QPointF, QPointF> links[] = {{A, B}, {B, C}, {C, D}};
  const QColor colours[] = {QColor(200, 40, 40), QColor(30, 90, 200), QColor(30, 140, 60)};
  for (int i = 0; i < 3; ++i) {
    p.setPen(QPen(colours[i], 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(links[i].first, links[i].second);
  }
  p.setPen(QPen(Qt::black, 2));
  p.setBrush(Qt::white);
  for (const QPointF& joint : {A, B, C, D}) p.drawEllipse(joint, 5, 5);
  for (const QPointF& pivot : {A, D}) {
    QPainterPath triangle;
    triangle.moveTo(pivot);
    triangle.lineTo(pivot + QPointF(-9, 14));
    triangle.lineTo(pivot + QPointF(9, 14));
    triangle.closeSubpath();
    p.drawPath(triangle);
    p.drawEllipse(pivot, 5, 5);
  }
  QFont labels = SongTi(14);
  p.setFont(labels);
  p.setPen(Qt::black);
  p.drawText(A + QPointF(-22, 6), QStringLiteral("A"));
  p.drawText(B + QPointF(-18, -6), QStringLiteral("B"));
  p.drawText(C + QPointF(8, -8), QStringLiteral("C"));
  p.drawText(D + QPointF(12, 6), QStringLiteral("D"));

  QFont big = SongTi(std::max(24, size.width() / 12));
  big.setBold(true);
  p.setFont(big);
  p.setPen(QColor(20, 50, 110));
  const QRect titleBox(0, size.height() / 12, size.width(), size.height() / 6);
  p.drawText(titleBox, Qt::AlignCenter, title);
  p.setFont(SongTi(std::max(14, size.width() / 32)));
  p.drawText(QRect(0, titleBox.bottom(), size.width(), size.height() / 10), Qt::AlignCenter, subtitle);
  return pixmap;
}

TAboutFrm::TAboutFrm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TAboutFrm"));
  setWindowTitle(QStringLiteral("关于"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFont(SongTi(12));
  setFixedSize(566, 354);
  Picture = new QLabel(this);
  Picture->setObjectName(QStringLiteral("Picture"));
  Picture->setGeometry(2, 2, 240, 350);
  Picture->setFrameShape(QFrame::Box);
  Picture->setScaledContents(true);
  Picture->setPixmap(DrawLinkageSketch(QSize(240, 350), QString(), QString()));

  auto* text = new QWidget(this);
  text->setGeometry(260, 20, 290, 280);
  auto* column = new QVBoxLayout(text);
  auto* title = new QLabel(QStringLiteral("Kinvora"), text);
  QFont big = SongTi(36);
  big.setBold(true);
  title->setFont(big);
  column->addWidget(title);
  for (const char* line : {"平面四杆机构设计与运动分析", "", "按对应位置、函数关系、急回特性、", "近似停歇要求和传动角设计四杆机构，",
                           "并对设计结果进行运动分析。", "", "Kinvora 开发组", "技术支持：请参阅帮助文件（F1）"}) {
    auto* label = new QLabel(QString::fromUtf8(line), text);
    column->addWidget(label);
  }
  column->addStretch(1);
  BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(450, 312, 90, 28);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

int TAboutFrm::ShowModal() {
  const QString file = AppDir() + QStringLiteral("images/关于.bmp");
  QPixmap picture;
  if (QFileInfo::exists(file) && picture.load(file)) Picture->setPixmap(picture);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  return exec();
}
