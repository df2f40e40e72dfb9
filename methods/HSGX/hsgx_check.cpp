// The design check of the function-generation window: the structural error of the linkage the
// analysis receives, over the whole working range and at the nodes.
#include "methods/HSGX/hsgx_frm.h"

#include "link/design_check.h"
#include "methods/HSGX/hsgx_function.h"

std::optional<DesignCheckResult> THSGXFrm::DesignCheckOf() const {
  if (m_designType != kThreeNodes && m_designType != kFiveNodes) return std::nullopt;
  FunctionAsk ask;
  const QString text = q.func;
  ask.f = [text](Extended x) { return EvaluateFunction(text, x); };
  ask.x0 = q.x[0];
  ask.xm = q.xm;
  ask.phim = q.xzjm;
  ask.psim = q.yzjm;
  ask.phi0 = q.O[0];
  ask.psi0 = q.W[0];
  for (int i = 1; i <= NodeCount(); ++i) ask.nodes.push_back(q.x[i]);
  return CheckFunctionGeneration(ask, FourBarLinkage());
}
