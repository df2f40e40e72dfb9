// C++ arithmetic does not trap, so a command clears the floating-point flags before it
// computes and asks FpuCheck() before it changes any visible state.
#pragma once

void FpuClear();

// Throws EFloatError when an invalid operation, a division by zero or an overflow happened
// since the last FpuClear(); underflow and inexact results stay silent. Clears the flags.
void FpuCheck();
