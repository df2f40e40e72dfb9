// The installation data the build stages beside the program: pictures drawn at build time and
// the notes pages of the design windows.
#include "base/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const QString kAppDir = QStringLiteral(KV_TEST_APPDIR);

TEST(InstallationTest, StepPicturesAndTheResultSketchAreReadable) {
  for (const char* file : {"images/DYWZ/jlsgsyt.bmp", "images/DYWZ/PPP1.bmp", "images/DYWZ/PPP2.bmp",
                           "images/DYWZ/mnl.bmp", "images/DYWZ/qbhksyt.bmp", "images/DYWZ/QQQ.bmp",
                           "images/DYWZ/abe.bmp", "images/CDJSJ/yg1image1.bmp", "images/CDJSJ/yg1image3.bmp",
                           "images/CDJSJ/yg2image1.bmp", "images/CDJSJ/yg2image32.bmp", "images/CDJSJ/qbhkimage1.bmp",
                           "images/CDJSJ/sqbimage1.bmp", "web/images/cdjsj_gamma.gif"}) {
    const QImage picture(kAppDir + QString::fromLatin1(file));
    EXPECT_FALSE(picture.isNull()) << file;
  }
  // The result pages show it; the GIF written by our own encoder must decode to its size.
  const QImage sketch(kAppDir + QStringLiteral("web/images/jlsg.gif"), "GIF");
  ASSERT_FALSE(sketch.isNull());
  EXPECT_EQ(sketch.size(), QSize(200, 160));
  EXPECT_EQ(sketch.pixel(2, 2), qRgb(255, 255, 255));
}

TEST(InstallationTest, NotesPagesAreGb18030PagesThatSayTheirCharset) {
  const std::pair<const char*, const char*> pages[] = {
      {"web/DYWZ0.htm", "位置方程"}, {"web/DYWZ1.htm", "位置方程"}, {"web/CDJSJ0.htm", "最小传动角"},
      {"web/CDJSJ1.htm", "最小传动角"}, {"web/CDJSJ2.htm", "最小传动角"}, {"web/CDJSJ3.htm", "最小传动角"}};
  for (const auto& [page, subject] : pages) {
    QFile file(kAppDir + QString::fromLatin1(page));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page;
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains("charset=gb2312")) << page;
    EXPECT_EQ(EncodeText(DecodeText(bytes)), bytes) << page;  // valid GB18030 throughout
    const QString text = DecodeText(bytes);
    EXPECT_TRUE(text.contains(QString::fromUtf8(subject))) << page;
    // Every picture the page shows is in the staged tree, where the page looks for it.
    const QRegularExpression source(QStringLiteral("<img src=\"([^\"]+)\""));
    int pictures = 0;
    for (const QRegularExpressionMatch& m : source.globalMatch(text)) {
      ++pictures;
      EXPECT_TRUE(QFileInfo::exists(kAppDir + QStringLiteral("web/") + m.captured(1)))
          << page << " " << m.captured(1).toStdString();
    }
    EXPECT_GE(pictures, 2) << page;
  }
}

}  // namespace
