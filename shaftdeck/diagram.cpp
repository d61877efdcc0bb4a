#include "shaftdeck/diagram.h"

#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "lib/mathfn/mathfn.h"

namespace shaftdeck {

namespace {

using Points = std::vector<std::pair<double, double>>;

std::string Num(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", v);
  return text;
}

std::string PointList(const Points& points) {
  std::string list;
  for (const auto& [x, y] : points) list += Num(x) + "," + Num(y) + " ";
  return list;
}

// A filled head at the end of a line that runs from (x0, y0) to (x1, y1).
std::string Head(double x0, double y0, double x1, double y1) {
  const double length = mathfn::hypot(x1 - x0, y1 - y0);
  const double ux = (x1 - x0) / length, uy = (y1 - y0) / length;
  const double back = 10, half = 4.5;
  const Points tip = {{x1, y1},
                      {x1 - back * ux - half * uy, y1 - back * uy + half * ux},
                      {x1 - back * ux + half * uy, y1 - back * uy - half * ux}};
  return "<polygon points=\"" + PointList(tip) + "\" fill=\"black\" stroke=\"none\"/>\n";
}

// A duct: a line through the points with a head where the flow arrives. A
// white band under it breaks any line it crosses.
std::string Duct(const Points& points) {
  const std::string list = PointList(points);
  const auto& a = points[points.size() - 2];
  const auto& b = points.back();
  return "<polyline points=\"" + list +
         "\" fill=\"none\" stroke=\"white\" stroke-width=\"10\"/>\n"
         "<polyline points=\"" + list +
         "\" fill=\"none\" stroke=\"black\" stroke-width=\"2\" stroke-linejoin=\"miter\"/>\n" +
         Head(a.first, a.second, b.first, b.second);
}

std::string Text(double x, double y, const std::string& text, int size,
                 const char* anchor = "middle", const char* style = "normal") {
  return "<text x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" font-size=\"" + std::to_string(size) +
         "\" text-anchor=\"" + anchor + "\" font-style=\"" + style + "\">" + text + "</text>\n";
}

}  // namespace

std::string CycleDiagram() {
  std::string svg =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" baseProfile=\"tiny\" "
      "width=\"600\" height=\"268\" viewBox=\"0 0 600 268\">\n"
      "<rect x=\"0\" y=\"0\" width=\"600\" height=\"268\" fill=\"white\" stroke=\"none\"/>\n"
      "<g font-family=\"Times New Roman, Liberation Serif, serif\" font-weight=\"bold\" "
      "fill=\"black\">\n";

  // The shaft: compressor to turbine, and out of the turbine to the load.
  svg += "<line x1=\"160\" y1=\"145\" x2=\"440\" y2=\"145\" stroke=\"black\" stroke-width=\"4\"/>\n";
  svg += "<line x1=\"530\" y1=\"145\" x2=\"574\" y2=\"145\" stroke=\"black\" stroke-width=\"4\"/>\n";
  svg += "<polygon points=\"572,136 592,145 572,154\" fill=\"black\" stroke=\"none\"/>\n";
  svg += Text(544, 132, "W", 16, "middle", "italic");
  svg += Text(562, 136, "net", 11, "middle", "italic");
  // Its rotation.
  svg += "<path d=\"M 226 129 A 9 16 0 1 1 222 160.5\" fill=\"none\" stroke=\"black\" "
         "stroke-width=\"1.5\"/>\n";
  svg += Head(234, 161, 221, 161);
  svg += Text(247, 127, "ω", 17, "middle", "italic");

  // The machines.
  const std::string outline = "fill=\"white\" stroke=\"black\" stroke-width=\"2\"";
  svg += "<polygon points=\"70,78 160,108 160,182 70,212\" " + outline + "/>\n";
  svg += "<polygon points=\"440,108 530,78 530,212 440,182\" " + outline + "/>\n";
  svg += "<rect x=\"250\" y=\"20\" width=\"100\" height=\"42\" rx=\"18\" ry=\"18\" " + outline +
         "/>\n";
  svg += "<rect x=\"220\" y=\"196\" width=\"160\" height=\"44\" " + outline + "/>\n";
  svg += Text(115, 132, "Compressor", 11);
  svg += Text(485, 132, "Turbine", 12);
  svg += Text(300, 46, "Combustor", 13);
  svg += Text(300, 223, "Heat Exchanger", 13);

  // Air: in at 2, compressed to 3, down to the heat exchanger, up at 3x.
  svg += Duct({{12, 145}, {70, 145}});
  svg += Duct({{160, 170}, {190, 170}, {190, 218}, {220, 218}});
  svg += Duct({{290, 196}, {290, 62}});
  // Gas: 4 into the turbine, 5 back through the heat exchanger, out at 5x.
  svg += Duct({{350, 41}, {410, 41}, {410, 126}, {440, 126}});
  svg += Duct({{530, 196}, {556, 196}, {556, 218}, {380, 218}});
  svg += Duct({{340, 240}, {340, 266}});

  svg += Text(36, 136, "2", 15);
  svg += Text(176, 163, "3", 15);
  svg += Text(306, 186, "3x", 15);
  svg += Text(422, 118, "4", 15);
  svg += Text(544, 190, "5", 15);
  svg += Text(358, 262, "5x", 15);

  svg += "</g>\n</svg>\n";
  return svg;
}

}  // namespace shaftdeck
