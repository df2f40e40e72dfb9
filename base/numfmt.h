// Number formats G and Rd, used by every log line, label, record and report, and the fixed
// formats "0.000" and "0.000E+00" of the result tables.
#pragma once

#include "base/types.h"
#include <QString>

// Shortest text of at most 15 significant digits; fixed notation from 1E-5 up to
// 15 integer digits, scientific (1E-7, 1.5E20) otherwise.
QString FormatG(Extended v);

// The value rounded to d decimals in double precision (halves to even), written in G.
QString FormatR(Extended v, int d);

// Fixed decimals ("0.000" for 3); a value that rounds to zero is written without a sign.
QString FormatFixed(Extended v, int decimals);

// Scientific with fixed decimals ("0.000E+00" for 3): the exponent signed, at least two digits.
QString FormatExp(Extended v, int decimals);

// The display mask "#,##0.000" for decimals = 3: commas between groups of thousands and a fixed
// number of decimals, rounded half away from zero; a value that rounds to zero has no sign.
QString FormatGrouped(double v, int decimals);

// The windows' short names for the formats of their labels and log lines.
inline QString R3(Extended v) { return FormatR(v, 3); }
inline QString R5(Extended v) { return FormatR(v, 5); }
inline QString G(Extended v) { return FormatG(v); }
