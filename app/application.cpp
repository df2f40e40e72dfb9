#include "app/application.h"

#include "widgets/fonts.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
const QStringList kCjkFallbacks = {"Noto Serif CJK SC", "Noto Sans CJK SC", "WenQuanYi Micro Hei",
                                   "Noto Sans CJK JP"};
}

void SetupApplication(QApplication& app) {
  QApplication::setApplicationName(QStringLiteral("Kinvora"));
  QApplication::setApplicationDisplayName(QStringLiteral("Kinvora"));
  // fontconfig alone maps SimSun to a Latin font, so name the CJK faces that are installed.
  QFont::insertSubstitutions(QStringLiteral("SimSun"), kCjkFallbacks);
  QFont::insertSubstitutions(QStringLiteral("宋体"), kCjkFallbacks);
  app.setFont(SongTi(12));

  auto* translator = new QTranslator(&app);
  if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(translator);
}
