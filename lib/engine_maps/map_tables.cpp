#include "lib/engine_maps/map_tables.h"

#include <cmath>

#include "core/failure.h"
#include "core/printline.h"

namespace engine_maps {
namespace {

using core::PrintLine;

constexpr int kRows = 11;
constexpr int kBurnerFlowsMax = 30;

PrintLine Heading(std::initializer_list<const char*> columns) {
  PrintLine line;
  bool first = true;
  for (const char* c : columns) {
    if (!first) line.zone();
    line.text(c);
    first = false;
  }
  return line;
}

PrintLine& Num(PrintLine& line, double v, bool single) {
  return single ? line.num(static_cast<float>(v)) : line.num(v);
}

void TurbineTables(std::vector<std::string>& lines, const MapTableInputs& in) {
  const Turbine& t = in.turb;
  const char* bad = "Turbine map undefined: check pitc, mc4c, Nc4d, etatd, k1 and k2";
  RequireFinite({t.pitc, t.mc4c, t.nc4d, t.etatd, t.k1, t.k2}, bad);
  lines.push_back("      ***   TURBINE MAP   ***");
  PrintLine head;
  head.text(" ( pitc=").num(t.pitc).text(",mc4c=").num(t.mc4c).text(",Nc4d=");
  Num(head, t.nc4d, in.nc4dSingle).text(",etatd=").num(t.etatd).text(",k1=").num(t.k1);
  head.text(",k2=").num(t.k2).text(")");
  lines.push_back(head.str());
  lines.push_back("");

  // Rows run over 1/pit from 1 (no flow) to 1.5/pitc (well into choke).
  std::array<float, kRows> q{};
  q[0] = 1;
  const double step = (1.5 / t.pitc - 1) / 10;
  for (int k = 1; k < kRows; ++k) q[k] = static_cast<float>(q[k - 1] + step);
  const float chokeQ = static_cast<float>(1 / static_cast<double>(t.pitc));

  const std::array<float, 6> speeds = SpeedSteps(t.nc4d);
  for (int i = 1; i <= 5; ++i) {
    const float nc4 = speeds[i];
    if (!(nc4 > 0)) continue;
    lines.push_back(PrintLine().text("Nc4=").num(nc4).str());
    lines.push_back(Heading({"1/pit", "mc4*Nc4", "etat", "mc4"}).str());
    for (int k = 0; k < kRows; ++k) {
      // The table's own choke test, on the Single q.
      const double x = chokeQ >= q[k] ? TurbineUnchokedFraction(t, q[k], nc4) : 1.0;
      const double shape = TurbineFlowShape(x);
      const double flowSpeed = nc4 * t.mc4c * shape;
      const double etat = TurbineEfficiencyAt(t, q[k], flowSpeed);
      RequireFinite({q[k], flowSpeed, etat, static_cast<float>(flowSpeed), static_cast<float>(etat),
                     static_cast<float>(t.mc4c * shape)},
                    bad);
      lines.push_back(PrintLine()
                          .num(q[k])
                          .zone()
                          .num(static_cast<float>(flowSpeed))
                          .zone()
                          .num(static_cast<float>(etat))
                          .zone()
                          .num(static_cast<float>(t.mc4c * shape))
                          .str());
    }
    lines.push_back("");
  }
}

void CompressorTables(std::vector<std::string>& lines, const MapTableInputs& in) {
  const Compressor& c = in.comp;
  lines.push_back("");
  const char* bad = "Compressor map undefined: check c1 to c5, etacd, Nc2d and mu";
  RequireFinite({c.c1, c.c2, c.c3, c.c4, c.c5, c.etacd, c.nc2d, c.mu}, bad);
  lines.push_back("      ***   COMPRESSOR MAP   ***");
  PrintLine head;
  head.text("( c1=").num(c.c1).text(",c2=").num(c.c2).text(",c3=").num(c.c3);
  head.text(",etacd=").num(c.etacd).text(",Nc2d=");
  Num(head, c.nc2d, in.nc2dSingle).text(",mu=").num(c.mu).text(",c4=").num(c.c4);
  head.text(",c5=").num(c.c5).text(")");
  lines.push_back(head.str());
  lines.push_back("");

  const std::array<float, 6> speeds = SpeedSteps(c.nc2d);
  const std::array<float, 6> choke = ChokeFlows(c);
  for (int i = 1; i <= 5; ++i) {
    const float nc2 = speeds[i];
    if (!(nc2 > 0)) continue;
    lines.push_back(PrintLine().text("Nc2=").num(nc2).str());
    lines.push_back(Heading({"mc2", "pic", "etac"}).str());
    // From the surge line to choke.
    for (int k = 0; k <= kCompressorSteps; ++k) {
      const CompressorRow row = CompressorTableRow(c, nc2, choke[i], k, kCompressorSteps);
      RequireFinite({row.mc2, static_cast<float>(row.pic), static_cast<float>(row.etac)}, bad);
      lines.push_back(PrintLine()
                          .num(row.mc2)
                          .zone()
                          .num(static_cast<float>(row.pic))
                          .zone()
                          .num(static_cast<float>(row.etac))
                          .str());
    }
    lines.push_back("");
  }
}

void ShaftTable(std::vector<std::string>& lines, const MapTableInputs& in) {
  lines.push_back("");
  const char* bad = "Shaft map undefined: check s1 and s2";
  RequireFinite({in.s1, in.s2}, bad);
  lines.push_back("      ***   SHAFT MAP   ***");
  lines.push_back(
      PrintLine().text("         ( s1=").num(in.s1).text(",s2=").num(in.s2).text(")").str());
  lines.push_back("");
  lines.push_back(Heading({"Nc2", "etam"}).str());
  const std::array<float, 6> speeds = SpeedSteps(in.comp.nc2d);
  for (int i = 1; i <= 5; ++i) {
    const double etam = ShaftEfficiency(in.s1, in.s2, speeds[i]);
    RequireFinite({speeds[i], etam, static_cast<float>(etam)}, bad);
    PrintLine row;
    row.num(speeds[i]).zone();
    Num(row, etam, in.etamSingle);
    lines.push_back(row.str());
  }
  lines.push_back("");
  lines.push_back("");
}

void BurnerTables(std::vector<std::string>& lines, const MapTableInputs& in) {
  const Burner& b = in.burn;
  const char* bad = "Burner map undefined: check b1, etabd, b2 and H";
  RequireFinite({b.b1, b.etabd, b.b2, b.h}, bad);
  lines.push_back("      ***   BURNER MAP   ***");
  lines.push_back(PrintLine()
                      .text(" ( b1=")
                      .num(b.b1)
                      .text(",etabd=")
                      .num(b.etabd)
                      .text(",b2=")
                      .num(b.b2)
                      .text(",H=")
                      .num(b.h)
                      .text(")")
                      .str());
  const int rows = BurnerRows(in.turb.mc4c);
  for (int i = 1; i <= 4; ++i) {
    // f/theta3: the burner depends on mc3, f and Tt3 only through mc3*f/theta3.
    const float phi = static_cast<float>(0.005 * i);
    lines.push_back("");
    lines.push_back(PrintLine().text("f/(Tt3/Tstp)=").num(phi).str());
    lines.push_back(Heading({"mc3", "pib", "etab"}).str());
    float mc3 = 5;
    for (int j = 1; j <= rows; ++j) {
      if (j > 1) mc3 = static_cast<float>(mc3 + 5.0);
      const double m = mc3;
      // At the standard temperature, theta3 = 1 and f = phi. The table
      // divides etab's term step by step, unlike the map: its own order
      // keeps its printed digits.
      const double pib = BurnerAt(b, m, phi, kTstd).pib;
      const double etab = b.etabd - b.b2 / m / m / phi / phi;
      RequireFinite({static_cast<float>(pib), etab}, bad);
      lines.push_back(
          PrintLine().num(mc3).zone().num(static_cast<float>(pib)).zone().num(etab).str());
    }
  }
  lines.push_back("");
}

}  // namespace

void RequireFinite(std::initializer_list<double> values, const std::string& message) {
  for (double v : values)
    if (!std::isfinite(v)) throw core::Failure(message);
}

std::array<float, 6> SpeedSteps(double design) {
  std::array<float, 6> n{};
  n[0] = static_cast<float>(design - 6000);
  for (int i = 1; i < 6; ++i) n[i] = static_cast<float>(n[i - 1] + 2000.0);
  return n;
}

std::array<float, 6> ChokeFlows(const Compressor& comp) {
  const std::array<float, 6> n = SpeedSteps(comp.nc2d);
  std::array<float, 6> w{};
  for (int i = 0; i < 6; ++i) w[i] = static_cast<float>(static_cast<double>(n[i]) * comp.c2);
  return w;
}

CompressorRow CompressorTableRow(const Compressor& c, float nc2, float choke, int k, int steps) {
  const float surge = static_cast<float>(static_cast<double>(choke) * c.c3);
  CompressorRow row;
  row.mc2 = surge + k * (static_cast<double>(choke) - surge) / steps;
  // The magnitude keeps the choke end defined when the Single choking flow
  // lies a rounding past c2*Nc2.
  row.pic = 1 + c.c1 * row.mc2 * std::sqrt(std::fabs((row.mc2 / c.c2 / nc2 - 1) / (c.c3 - 1)));
  const double off = (1 + c.mu) * c.c3 * c.c2 * nc2 - row.mc2;
  row.etac = c.etacd - c.c4 * std::fabs(c.nc2d - nc2) - (c.c5 / nc2) * off * off;
  return row;
}

int BurnerRows(double mc4c) {
  float mc3 = 5;
  for (int j = 2; j <= kBurnerFlowsMax; ++j) {
    mc3 = static_cast<float>(mc3 + 5.0);
    if (mc3 > 0.999 * mc4c) return j;
  }
  return 0;
}

void AppendCoreTables(std::vector<std::string>& lines, const MapTableInputs& in) {
  TurbineTables(lines, in);
  CompressorTables(lines, in);
  ShaftTable(lines, in);
  BurnerTables(lines, in);
}

}  // namespace engine_maps
