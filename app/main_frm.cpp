#include "app/main_frm.h"

TMainFrm::TMainFrm(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("TMainFrm"));
  setWindowTitle(QStringLiteral("Kinvora"));
  setCentralWidget(new QWidget(this));
  setFixedSize(802, 554);
}
