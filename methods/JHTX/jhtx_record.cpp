// The quick-return window's record fields, report rows and design check, type by type.
#include "methods/JHTX/jhtx_frm.h"

#include "link/design_check.h"

// --- Notes, record, reports ---

RecordFields TJHTXFrm::RecordFieldsOf() {
  switch (m_designType) {
    case kRocker:
      return {{"JHTXbj", &q.psi},       {"JHTXsta", &q.theta}, {"JHTXK", &q.K},
              {"JHTXcdj", &q.gammaMin}, {"JHTXLenc", &q.c},    {"JHTXLena", &q.a},
              {"JHTXLenb", &q.b},       {"JHTXLend", &q.d},    {"JHTXbj0", &q.psi0}};
    case kSlider:
      return {{"JHTXH", &q.H},          {"JHTXK", &q.K},          {"JHTXsta", &q.theta},
              {"JHTXadivb", &q.lambda}, {"JHTXcdj", &q.gammaMin}, {"JHTXLena", &q.a},
              {"JHTXLenb", &q.b},       {"JHTXe", &q.e}};
    case kGuideBar:
      return {{"JHTXLend", &q.d}, {"JHTXK", &q.K}, {"JHTXsta", &q.theta}, {"JHTXLena", &q.a}};
    default:
      return {};
  }
}

std::vector<ReportRow> TJHTXFrm::ReportRows() const {
  const QString deg = QStringLiteral("°"), mm = QStringLiteral("mm"), none = QStringLiteral("无");
  switch (m_designType) {
    case kRocker:
      return {{QStringLiteral("摆角Ψ"), q.psi, deg},        {QStringLiteral("行程速比系数K"), q.K, none},
              {QStringLiteral("极位夹角θ"), q.theta, deg},  {QStringLiteral("摇杆长度C"), q.c, mm},
              {QStringLiteral("最小传动角γmin"), q.gammaMin, deg}, {QStringLiteral("曲柄长度a"), q.a, mm},
              {QStringLiteral("连杆长度b"), q.b, mm},       {QStringLiteral("机架长度d"), q.d, mm},
              {QStringLiteral("ψ0"), q.psi0, deg}};
    case kSlider:
      return {{QStringLiteral("冲程H"), q.H, mm},           {QStringLiteral("行程速比系数K"), q.K, none},
              {QStringLiteral("极位夹角θ"), q.theta, deg},  {QStringLiteral("λ(a/b)"), q.lambda, none},
              {QStringLiteral("最小传动角γmin"), q.gammaMin, deg}, {QStringLiteral("曲柄长度a"), q.a, mm},
              {QStringLiteral("连杆长度b"), q.b, mm},       {QStringLiteral("偏距e"), q.e, mm}};
    case kGuideBar:
      return {{QStringLiteral("机架长度"), q.d, mm}, {QStringLiteral("行程速比系数K"), q.K, none},
              {QStringLiteral("极位夹角θ"), q.theta, deg}, {QStringLiteral("曲柄长度a"), q.a, mm}};
    default: return {};
  }
}

std::optional<DesignCheckResult> TJHTXFrm::DesignCheckOf() const {
  switch (m_designType) {
    case kRocker: return CheckQuickReturnCrankRocker(q.K, q.psi, q.gammaMin, designLinkage(kRocker));
    case kSlider: return CheckQuickReturnCrankSlider(q.H, q.K, q.gammaMin, designLinkage(kSlider));
    case kGuideBar: return CheckQuickReturnGuideBar(q.K, q.theta, designLinkage(kGuideBar));
    default: return std::nullopt;
  }
}
