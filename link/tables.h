// Result tables of the kinematic analysis as HTML pages (GB18030, CR LF) that link the
// program's style sheet under ../web/, or as CSV files for other programs (UTF-8 with a
// byte-order mark, CR LF, one header line with units). Angles and speeds are passed in radians
// and rad/s; the tables show degrees. Each writer returns false when the file could not be
// created or written or a value could not be computed; the lines written before the failure
// stay in the file. Nothing throws out of a writer.
#pragma once

#include "base/types.h"
#include "link/motion_data.h"

class QIODevice;
class QString;

enum class TableFormat { Html, Csv };

// The table of `kind` (see MotionTableKindOf) for the linkage. A QFile that is not open yet is
// created (truncated); any other device must be open for writing.
bool WriteMotionTable(QIODevice& out, TableFormat format, MotionTableKind kind, const Linkage& linkage,
                      const MotionSettings& settings);
bool WriteMotionTable(const QString& file, TableFormat format, MotionTableKind kind, const Linkage& linkage,
                      const MotionSettings& settings);

bool WriteCrankRockerTable(const QString& file, Extended a, Extended b, Extended c, Extended d,
                           Extended omega, Extended step, Extended start, Extended end,
                           Extended lenBE, Extended delta);

// The input range is fitted to the reachable swing; a return stroke follows the working one.
bool WriteDoubleRockerTable(const QString& file, Extended a, Extended b, Extended c, Extended d,
                            Extended omega, Extended step, Extended start, Extended end,
                            Extended lenBE, Extended delta);

bool WriteCrankSliderTable(const QString& file, Extended r, Extended l, Extended e,
                           Extended omega, Extended step, Extended start, Extended end);

bool WriteGuideBarTable(const QString& file, Extended r, Extended d, Extended omega,
                        Extended step, Extended start, Extended end);
