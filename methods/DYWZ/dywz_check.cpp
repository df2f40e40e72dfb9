// The design check of the corresponding-position window: the positions asked, reached by the
// linkage the analysis receives.
#include "methods/DYWZ/dywz_frm.h"

#include "link/design_check.h"

std::optional<DesignCheckResult> TDYWZFrm::DesignCheckOf() const {
  if (m_designType == kCrankSlider)
    return CheckCorrespondingCrankSlider({{q.O1, q.O2, q.O3}, {q.W1, q.W2, q.W3}}, crankSliderLinkage());
  if (m_designType == kFourBar)
    return CheckCorrespondingFourBar({{q.O1, q.O2, q.O3}, {q.W1, q.W2, q.W3}, q.O0, q.W0}, FourBarLinkage());
  return std::nullopt;
}
