// What the navigator's search reads of a teaching page: its text as the page view shows it,
// where a keyword occurs in it, and a short excerpt around an occurrence. The build stores the
// text of every page in the content database; the page view locates the same occurrence in
// what it shows, so both sides must read the page alike.
#pragma once

#include <QString>

class QUrl;

// The text the page view shows for `html` (tags, scripts and styles dropped, entities decoded,
// one line per paragraph), positions equal to those of the view's document. `source` is where
// the page lies, so its style sheet is read as the view reads it.
QString PagePlainText(const QString& html, const QUrl& source);

struct TextHits {
  int count = 0;         // occurrences that do not overlap
  qsizetype first = -1;  // position of the first one
};
// Occurrences of `keyword` in `text`, without regard to case as the page view finds text.
TextHits FindInText(const QString& text, const QString& keyword);

// About kExcerptSide characters either side of the occurrence at `at` of `length` characters,
// on one line, with "…" where the text goes on.
constexpr qsizetype kExcerptSide = 20;
QString Excerpt(const QString& text, qsizetype at, qsizetype length);
