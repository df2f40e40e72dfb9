#include "methods/HSGX/hsgx_function.h"

#include "base/convert.h"
#include "base/numfmt.h"
#include "js/js.h"

Extended EvaluateFunction(const QString& text, Extended x) {
  DegreeMode = true;
  QString result;
  if (TokenizeExpression(text)) {
    SubstituteVariable(FormatG(x));
    EvaluateTokens(result);
  }
  return StrToFloat(result);
}
