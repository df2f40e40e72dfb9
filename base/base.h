// Process-wide helpers shared by every layer.
#pragma once

#include "base/appdir.h"
#include "base/convert.h"
#include "base/desktop.h"
#include "base/errors.h"
#include "base/fpu.h"
#include "base/inifile.h"
#include "base/numfmt.h"
#include "base/textfile.h"
#include "base/types.h"
