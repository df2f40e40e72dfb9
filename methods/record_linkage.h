// The linkage a saved design record reached, rebuilt without its design window: for the
// command line, the plot window and anything else that analyses a record's linkage.
#pragma once

#include "link/linkage.h"

#include <QString>
#include <optional>

struct RecordLinkage {
  // At the scale the analysis panel shows and tabulates it (a stroke ratio times 100 mm).
  Linkage linkage;
  // The coupler point E: the panel's defaults, lenBE in mm and delta in radians.
  Extended lenBE = 0, delta = 0;
  QString method;  // DsMethod: DYWZ, HSGX, JHTX, JSTX or CDJSJ
  int type = -1;   // DsType
  // The panel's edits as it fills them for this design: range, step in degrees, ω in °/s.
  QString x1, x2, step, omega;
};

// path: the record's .des or its .txt; on failure nullopt and *error a one-line Chinese reason.
std::optional<RecordLinkage> LinkageFromRecord(const QString& path, QString* error);
