// The directory of the executable, with a trailing "/": every path of the system starts here.
#pragma once

#include <QString>

const QString& AppDir();
void SetAppDir(const QString& dir);  // adds the trailing "/" when missing
