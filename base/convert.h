// Text to number: one routine for every edit. Blanks around, an optional sign, digits with
// one optional point, an optional exponent; "." whatever the locale. Anything else throws
// EConvertError naming the text.
#pragma once

#include "base/types.h"
#include <QString>

Extended StrToFloat(const QString& text);
int StrToInt(const QString& text);
