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
