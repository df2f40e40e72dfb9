// Draws the pictures of the installation: the position sketches and formula pictures of the
// design steps (BMP, under images/) and the linkage sketch of the result pages (GIF, under
// web/images/), and the figures and formulas of the teaching pages (PNG, under web/images/jc/).
// Usage: make_pictures <staged runtime folder>
// Each design method's pictures are in a file of their own under tools/pictures/.
#include "tools/pictures/kit.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <cstdio>

namespace pictures {
void AddDywzPictures(const QString& root, PictureList& list);
void AddHsgxPictures(const QString& root, PictureList& list);
void AddJhtxPictures(const QString& root, PictureList& list);
void AddJstxPictures(const QString& root, PictureList& list);
void AddCdjsjPictures(const QString& root, PictureList& list);
void AddLwzPictures(const QString& root, PictureList& list);
void AddNavigatorPictures(const QString& root, PictureList& list);
void AddCouplerPictures(const QString& root, PictureList& list);
}

int main(int argc, char** argv) {
  using namespace pictures;
  // Drawn without a display, on the build machine.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_pictures <runtime folder>\n");
    return 2;
  }
  for (const QString& family : {kSerif, kCjkSerif, kCjkSans})
    if (!QFontDatabase::hasFamily(family))
      std::fprintf(stderr, "make_pictures: warning: font \"%s\" is missing, the pictures use a substitute\n",
                   qPrintable(family));
  const QString root = QString::fromLocal8Bit(argv[1]) + u'/';
  PictureList pictures;
  AddDywzPictures(root, pictures);
  AddHsgxPictures(root, pictures);
  AddJhtxPictures(root, pictures);
  AddJstxPictures(root, pictures);
  AddCdjsjPictures(root, pictures);
  AddLwzPictures(root, pictures);
  AddNavigatorPictures(root, pictures);
  AddCouplerPictures(root, pictures);
  for (const auto& [path, image] : pictures) {
    if (!save(path, image)) {
      std::fprintf(stderr, "make_pictures: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
