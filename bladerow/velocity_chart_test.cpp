// The velocity triangles chart against the window that computed the stage:
// the triangles close with the blade speed, the drawn vectors have the
// window's angles and Mach numbers, and a failure leaves no triangles.
#include "bladerow/velocity_chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "bladerow/bladerow_window.h"
#include "core/testing/driver.h"

namespace bladerow {
namespace {

constexpr double kPi = 3.14159265358979;

// The window as a person drives it.
using Window = core::testing::Driven<Bladerow>;

struct Vec {
  double x0, y0, x1, y1;
  double dx() const { return x1 - x0; }
  double dy() const { return y1 - y0; }
  double length() const { return std::hypot(dx(), dy()); }
  // From the axial (meridional) direction, positive with the blade motion.
  double angle() const { return std::atan2(dx(), dy()) * 180 / kPi; }
};

Vec Arrow(const core::ChartData& chart, const std::string& name) {
  for (const auto& s : chart.series)
    if (s.name == name) {
      EXPECT_EQ(s.style, core::SeriesStyle::Arrows) << name;
      EXPECT_EQ(s.points.size(), 2u) << name;
      if (s.points.size() == 2 && s.points[0] && s.points[1])
        return {s.points[0]->first, s.points[0]->second, s.points[1]->first, s.points[1]->second};
    }
  ADD_FAILURE() << "no arrow " << name;
  return {0, 0, 0, 0};
}

const core::ChartMark* Mark(const core::ChartData& chart, const std::string& name) {
  for (const auto& m : chart.marks)
    if (m.name == name) return &m;
  ADD_FAILURE() << "no mark " << name;
  return nullptr;
}

// An angle difference between two lines, in (-90, 90]: the stage's tangent
// rule gives an angle past 90 deg (a turning beyond the tangential
// direction) the components of the line at 180 deg from it, and its
// magnitude w = ca/cos(beta) then comes out negative.
double Direction(double degrees) {
  double d = std::fmod(degrees, 180);
  if (d > 90) d -= 180;
  if (d <= -90) d += 180;
  return d;
}

// The number in a mark's text "β1 = -46.38 deg".
double MarkValue(const core::ChartMark& m) {
  return std::stod(m.text.substr(m.text.find('=') + 1));
}

struct Case {
  const char* what;
  const char* machine;
  std::vector<std::pair<const char*, const char*>> typed;
  bool otherGas = false;
};

TEST(bladerowVelocityTriangles, CloseAndAgreeWithTheWindow) {
  const Case cases[] = {
      {"axial compressor defaults", "axial compressor", {}},
      {"axial turbine, more turning", "axial turbine", {{"txtdl12", "-60"}, {"txtal1", "-20"}}},
      {"radial compressor defaults", "radial compressor", {}},
      {"radial inflow turbine", "radial inflow turbine", {{"txtal1b", "70"}, {"txtom", "12000"}}},
      {"axial compressor, another gas and axial velocity ratio",
       "axial compressor",
       {{"Txtrg", "60"}, {"Txtgm2", "1.3"}, {"txtcax", "0.8"}, {"txtal1", "0"}},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Window w;
    w.Select("lsttype", c.machine);
    if (c.otherGas) w.Select("lstgas", "other");
    for (auto [box, text] : c.typed) w.Type(box, text);
    w.Calculate();
    ASSERT_FALSE(w.C("lblError").visible()) << w.C("lblError").text();
    const core::ChartData chart = w.form.Chart(kVelocityTriangles);
    ASSERT_TRUE(chart.available()) << chart.unavailable;
    EXPECT_TRUE(chart.equalScale);
    EXPECT_NE(chart.x.label.find("(ft/s)"), std::string::npos);
    EXPECT_NE(chart.y.label.find("(ft/s)"), std::string::npos);
    const Stage& s = w.form.stage();
    const bool radialTurbine = std::string(c.machine) == "radial inflow turbine";
    const bool radialCompressor = std::string(c.machine) == "radial compressor";
    const bool radial = radialTurbine || radialCompressor;
    struct Station {
      const char *v, *wr, *u, *alpha, *beta, *alphaBox, *betaBox, *mAbs, *mRel;
      double blade, a;
    };
    const char* alpha1Box = radialTurbine ? "txtal1b" : radialCompressor ? "txtal1a" : "txtal1";
    // The axial machines have one blade speed for both triangles.
    const char* u1 = radial ? "U1 blade" : "U blade";
    const char* u2 = radial ? "U2 blade" : u1;
    EXPECT_EQ(chart.series.size(), radial ? 6u : 5u);
    const Station stations[] = {
        {"V1 absolute", "W1 relative", u1, "α1", "β1", alpha1Box, "txtb1", "txtm1", "txtm1r", s.u,
         s.a1},
        {"V2 absolute", "W2 relative", u2, "α2", "β2", "txtal2", "txtb2", "txtm2", "txtm2r", s.u2,
         s.a2},
    };
    for (const Station& st : stations) {
      SCOPED_TRACE(st.v);
      const Vec v = Arrow(chart, st.v), wr = Arrow(chart, st.wr), u = Arrow(chart, st.u);
      const double tol = 1e-5 * v.length();
      // V and U from one point, W from the tip of U to the tip of V: V = U + W.
      EXPECT_EQ(v.x0, u.x0);
      EXPECT_EQ(v.y0, u.y0);
      EXPECT_NEAR(wr.x0, u.x1, tol);
      EXPECT_NEAR(wr.y0, u.y1, tol);
      EXPECT_EQ(wr.x1, v.x1);
      EXPECT_EQ(wr.y1, v.y1);
      EXPECT_NEAR(v.dx(), u.dx() + wr.dx(), tol);
      EXPECT_NEAR(v.dy(), u.dy() + wr.dy(), tol);
      // U is the blade speed, along the blade motion.
      EXPECT_NEAR(u.dx(), st.blade, tol);
      EXPECT_EQ(u.dy(), 0);
      // The same through-flow in V and W.
      EXPECT_NEAR(v.dy(), wr.dy(), tol);
      // Each angle is marked on its vector, with the digits the window shows
      // it with; the drawn directions have those angles (to those digits).
      const core::ChartMark* ma = Mark(chart, st.alpha);
      const core::ChartMark* mb = Mark(chart, st.beta);
      ASSERT_TRUE(ma && mb);
      EXPECT_NEAR((ma->x - v.x0) * v.dy(), (ma->y - v.y0) * v.dx(), tol * tol);
      EXPECT_NEAR((mb->x - wr.x0) * wr.dy(), (mb->y - wr.y0) * wr.dx(), tol * tol);
      EXPECT_EQ(mb->text, std::string(st.beta) + " = " + w.C(st.betaBox).text() + " deg");
      if (std::string(st.alpha) == "α2") {
        EXPECT_EQ(ma->text, "α2 = " + w.C(st.alphaBox).text() + " deg");
      }
      EXPECT_NEAR(MarkValue(*ma), w.Number(st.alphaBox), 0.005 + 1e-9);
      EXPECT_NEAR(Direction(v.angle() - MarkValue(*ma)), 0, 0.005 + 1e-4);
      EXPECT_NEAR(Direction(wr.angle() - MarkValue(*mb)), 0, 0.005 + 1e-4);
      // Lengths over the speed of sound are the window's Mach numbers.
      EXPECT_NEAR(v.length() / st.a, std::fabs(w.Number(st.mAbs)), 0.0005 + 1e-6);
      EXPECT_NEAR(wr.length() / st.a, std::fabs(w.Number(st.mRel)), 0.0005 + 1e-6);
    }
  }
}

TEST(bladerowVelocityTriangles, NothingBeforeTheFirstAndAfterAFailedCalculation) {
  Window w;
  const core::ChartData before = w.form.Chart(kVelocityTriangles);
  EXPECT_FALSE(before.available());
  EXPECT_TRUE(before.series.empty());
  EXPECT_EQ(w.form.ChartNames(), std::vector<std::string>{kVelocityTriangles});

  struct Step {
    const char* box;
    const char* text;
    bool drawn;
  } steps[] = {
      {"txtom", "8000", true}, {"txtT1", "-1", false},  // refused
      {"txtT1", "1310", true}, {"txtom", "x", false},   // not a number
      {"txtom", "8000", true}, {"txtth1", "0", false},  // no inlet area
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(std::string(s.box) + " " + s.text);
    w.Type(s.box, s.text);
    w.Calculate();
    const core::ChartData chart = w.form.Chart(kVelocityTriangles);
    EXPECT_EQ(chart.available(), s.drawn) << chart.unavailable;
    EXPECT_EQ(w.C("lblError").visible(), !s.drawn);
    if (!s.drawn) {
      EXPECT_TRUE(chart.series.empty());
      EXPECT_EQ(chart.unavailable, "The last computation failed: " + w.C("lblError").text());
    }
  }
  // Typing after the failure does not bring back old triangles nor lose why.
  w.Type("txtth1", "1.24");
  EXPECT_FALSE(w.form.Chart(kVelocityTriangles).available());
  EXPECT_NE(w.form.Chart(kVelocityTriangles).unavailable.find("failed"), std::string::npos);
}

TEST(bladerowVelocityTriangles, AnUnsettledDensityDrawsTheLastPassAndSaysSo) {
  Window w;
  w.Type("txtom", "2000");
  w.Type("txtm", "100");
  w.Select("lsttype", "radial compressor");
  w.Type("txtal1a", "45");
  w.Type("txtb2a", "-50");
  w.Type("txttd2", "0.5");
  w.Calculate();
  ASSERT_NE(w.C("lblError").text().find("did not settle"), std::string::npos);
  const core::ChartData chart = w.form.Chart(kVelocityTriangles);
  ASSERT_TRUE(chart.available());
  EXPECT_NE(chart.title.find("did not settle"), std::string::npos);
  EXPECT_EQ(Mark(chart, "β2")->text, "β2 = " + w.C("txtb2").text() + " deg");
}

}  // namespace
}  // namespace bladerow
