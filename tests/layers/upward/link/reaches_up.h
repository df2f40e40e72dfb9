// A numeric-core header that reaches up into the windows: the layer check must refuse it.
#pragma once
#include "base/types.h"
#include "design/design_frm.h"
