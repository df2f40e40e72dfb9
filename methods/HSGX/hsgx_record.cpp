// The function-generation window's record fields, report rows and proposed file name.
#include "methods/HSGX/hsgx_frm.h"

// --- Record, reports ---

RecordFields THSGXFrm::RecordFieldsOf() {
  RecordFields fields = {
      {"Func", &q.func, QStringLiteral("lg(x)")},
      {"xzjm", &q.xzjm},     {"yzjm", &q.yzjm},     {"mux", &q.mux},       {"muy", &q.muy},
      {"x0", &q.x[0]},       {"xm", &q.xm},         {"x1", &q.x[1]},       {"x2", &q.x[2]},
      {"x3", &q.x[3]},       {"y0", &q.y[0]},       {"ym", &q.ym},         {"y1", &q.y[1]},
      {"y2", &q.y[2]},       {"y3", &q.y[3]},       {"HSJGO1", &q.O[1]},   {"HSJGO2", &q.O[2]},
      {"HSJGO3", &q.O[3]},   {"HSJGO0", &q.O[0]},   {"HSJGW1", &q.W[1]},   {"HSJGW2", &q.W[2]},
      {"HSJGW3", &q.W[3]},   {"HSJGW0", &q.W[0]}};
  if (m_designType == kFiveNodes)
    fields.insert(fields.end(), {{"x4", &q.x[4]},       {"x5", &q.x[5]},       {"y4", &q.y[4]},
                                 {"y5", &q.y[5]},       {"HSJGO4", &q.O[4]},   {"HSJGO5", &q.O[5]},
                                 {"HSJGW4", &q.W[4]},   {"HSJGW5", &q.W[5]}});
  fields.insert(fields.end(), {{"HSJGP0", &q.P0},     {"HSJGP1", &q.P1},     {"HSJGP2", &q.P2},
                               {"HSJGm", &q.m},       {"HSJGn", &q.n},       {"HSJGl", &q.l},
                               {"HSJGgantype", &q.ganType}, {"HSJGganlen", &q.ganLen}, {"HSJGlena", &q.lenA},
                               {"HSJGlenb", &q.lenB}, {"HSJGlenc", &q.lenC}, {"HSJGlend", &q.lenD}});
  return fields;
}

std::vector<ReportRow> THSGXFrm::ReportRows() const {
  const QString deg = QStringLiteral("°"), none = QStringLiteral("无"),
                perDeg = QStringLiteral("1/°");
  const int nodes = NodeCount();
  std::vector<ReportRow> rows = {{QStringLiteral("x0"), q.x[0], none},   {QStringLiteral("xm"), q.xm, none},
                                 {QStringLiteral("y0"), q.y[0], none},   {QStringLiteral("ym"), q.ym, none},
                                 {QStringLiteral("φm"), q.xzjm, deg},    {QStringLiteral("ψm"), q.yzjm, deg},
                                 {QStringLiteral("μx"), q.mux, perDeg},  {QStringLiteral("μy"), q.muy, perDeg}};
  for (int i = 1; i <= nodes; ++i) {
    rows.push_back({QStringLiteral("x%1").arg(i), q.x[i], none});
    rows.push_back({QStringLiteral("y%1").arg(i), q.y[i], none});
  }
  for (int i = 1; i <= nodes; ++i) {
    rows.push_back({QStringLiteral("φ%1").arg(i), q.O[i], deg});
    rows.push_back({QStringLiteral("ψ%1").arg(i), q.W[i], deg});
  }
  rows.push_back({QStringLiteral("φ0"), q.O[0], deg});
  rows.push_back({QStringLiteral("ψ0"), q.W[0], deg});
  AppendReportRows(rows);
  return rows;
}

QString THSGXFrm::ProposedFileName() const {
  return windowTitle() + u'_' + pnlType->text() + QStringLiteral("铰链四杆机构.txt");
}
