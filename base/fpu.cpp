// Floating-point fault check.
#include "base/fpu.h"

#include "base/errors.h"

#include <cfenv>

void FpuClear() { std::feclearexcept(FE_ALL_EXCEPT); }

void FpuCheck() {
  const int raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
  std::feclearexcept(FE_ALL_EXCEPT);
  if (raised & FE_INVALID)
    throw EFloatError(EFloatError::Kind::Invalid, QStringLiteral("无效的浮点运算。"));
  if (raised & FE_DIVBYZERO)
    throw EFloatError(EFloatError::Kind::ZeroDivide, QStringLiteral("浮点数被零除。"));
  if (raised & FE_OVERFLOW)
    throw EFloatError(EFloatError::Kind::Overflow, QStringLiteral("浮点运算溢出。"));
}
