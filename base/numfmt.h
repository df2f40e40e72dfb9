// Number formats G and Rd, used by every log line, label, record and report.
#pragma once

#include "base/types.h"
#include <QString>

// Shortest text of at most 15 significant digits; fixed notation from 1E-5 up to
// 15 integer digits, scientific (1E-7, 1.5E20) otherwise.
QString FormatG(Extended v);

// The value rounded to d decimals in double precision (halves to even), written in G.
QString FormatR(Extended v, int d);
