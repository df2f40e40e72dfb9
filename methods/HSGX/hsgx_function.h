// y = f(x) of the function text the user typed, through the expression evaluator.
#pragma once

#include "base/types.h"

#include <QString>

// Evaluates the text with every variable standing for x, trigonometry in degrees. The
// evaluator answers in format G, so the value carries 15 significant digits. An expression the
// evaluator rejects has shown its message and gives no text, and the missing text then throws
// the conversion error, which ends the command in progress.
Extended EvaluateFunction(const QString& text, Extended x);
