// The yardstick of the start-up: a bare Qt Widgets program that shows a main window with a menu
// and one Chinese label, then ends as soon as it has been shown.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.menuBar()->addMenu(QStringLiteral("文件(&F)"))->addAction(QStringLiteral("退出(&X)"));
  window.setCentralWidget(new QLabel(QStringLiteral("平面连杆机构设计")));
  window.resize(802, 554);
  window.show();
  QTimer::singleShot(0, &app, &QCoreApplication::quit);
  return app.exec();
}
