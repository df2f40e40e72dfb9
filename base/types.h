// Shared numeric types.
#pragma once

#include <vector>

using Extended = long double;  // the 80-bit extended type of every design quantity
using TExtendedArray = std::vector<Extended>;

inline constexpr Extended kPi = 3.141592653589793238462643383279502884L;
