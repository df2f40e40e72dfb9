// The shared unit of the numeric core: solvers, kinematics, figures, curves and tables.
#pragma once

#include "link/kinematics.h"
#include "link/numerics.h"
#include "link/tables.h"
