// The shared unit of the numeric core: solvers, kinematics, figures, curves and tables.
#pragma once

#include "link/animation.h"
#include "link/curves.h"
#include "link/figures.h"
#include "link/kinematics.h"
#include "link/linkage.h"
#include "link/numerics.h"
#include "link/synthesis.h"
#include "link/tables.h"
