// The main window of the program.
#pragma once

#include <QMainWindow>

class TMainFrm : public QMainWindow {
  Q_OBJECT
public:
  explicit TMainFrm(QWidget* parent = nullptr);
};
