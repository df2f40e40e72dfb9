#include "app/navigator/page_text.h"

#include <QTextDocument>
#include <QUrl>
#include <algorithm>

QString PagePlainText(const QString& html, const QUrl& source) {
  QTextDocument doc;
  doc.setMetaInformation(QTextDocument::DocumentUrl, source.toString());
  doc.setHtml(html);
  return doc.toPlainText();
}

namespace {

// A keyword none of whose characters has another case (Chinese, digits, signs) is found as it
// stands, which is several times faster than folding every character of every page.
bool hasNoCase(const QString& keyword) {
  return std::all_of(keyword.begin(), keyword.end(),
                     [](QChar c) { return c.toLower() == c && c.toUpper() == c && c.toCaseFolded() == c; });
}

}  // namespace

TextHits FindInText(const QString& text, const QString& keyword) {
  TextHits hits;
  if (keyword.isEmpty()) return hits;
  const Qt::CaseSensitivity cs = hasNoCase(keyword) ? Qt::CaseSensitive : Qt::CaseInsensitive;
  for (qsizetype at = text.indexOf(keyword, 0, cs); at >= 0; at = text.indexOf(keyword, at + keyword.size(), cs))
    if (hits.count++ == 0) hits.first = at;
  return hits;
}

QString Excerpt(const QString& text, qsizetype at, qsizetype length) {
  qsizetype from = std::max<qsizetype>(0, at - kExcerptSide);
  qsizetype to = std::min(text.size(), at + length + kExcerptSide);
  // never half a character outside the basic plane
  if (from > 0 && text[from].isLowSurrogate()) ++from;
  if (to < text.size() && text[to].isLowSurrogate()) --to;
  QString part = text.mid(from, to - from);
  part.replace(QChar::ObjectReplacementCharacter, u' ');  // pictures
  part = part.simplified();                                // lines and runs of blanks
  if (from > 0) part.prepend(u'…');
  if (to < text.size()) part.append(u'…');
  return part;
}
