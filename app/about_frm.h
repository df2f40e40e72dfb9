// The about box: a picture on the left, the product's name and who to ask on the right.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TAboutFrm : public QDialog {
  Q_OBJECT
public:
  explicit TAboutFrm(QWidget* parent = nullptr);

  QLabel* Picture;
  QPushButton* BitBtn1;

  // Shows the box modally; the picture is replaced by images/关于.bmp when that file exists.
  int ShowModal();
};

// The pictures drawn by the program itself where no picture file replaces them.
QPixmap DrawLinkageSketch(QSize size, const QString& title, const QString& subtitle);
