#include "flowmarch/diagram.h"

#include <cstdio>
#include <string>

namespace flowmarch {

namespace {

// The drawing's text, appended piece by piece; a width prints as %g does.
struct Svg {
  std::string text;
  Svg& operator<<(const char* piece) {
    text += piece;
    return *this;
  }
  Svg& operator<<(int value) {
    text += std::to_string(value);
    return *this;
  }
  Svg& operator<<(double value) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%g", value);
    text += digits;
    return *this;
  }
};

// Duct geometry in drawing units: constant area up to station 5, then the
// walls open out to station 6.
constexpr int kInlet = 40, kSplitEnd = 150;
constexpr int kStation3 = 230, kStation4 = 315, kStation5 = 400, kStation6 = 670;
constexpr int kTop = 100, kBottom = 300, kSplit = 180;
constexpr int kTop6 = 62, kBottom6 = 338;

void Text(Svg& s, int x, int y, const char* text, int size = 15,
          const char* anchor = "middle", const char* weight = "normal",
          const char* style = "normal") {
  s << "<text x='" << x << "' y='" << y << "' font-size='" << size << "' text-anchor='" << anchor
    << "' font-weight='" << weight << "' font-style='" << style << "'>" << text << "</text>\n";
}

void Line(Svg& s, int x1, int y1, int x2, int y2, double width = 1.5,
          const char* dash = nullptr) {
  s << "<line x1='" << x1 << "' y1='" << y1 << "' x2='" << x2 << "' y2='" << y2
    << "' stroke-width='" << width << "'";
  if (dash) s << " stroke-dasharray='" << dash << "'";
  s << "/>\n";
}

// A flow arrow pointing downstream.
void Arrow(Svg& s, int x1, int x2, int y) {
  Line(s, x1, y, x2 - 10, y, 2);
  s << "<polygon points='" << x2 << "," << y << " " << x2 - 12 << "," << y - 5 << " " << x2 - 12
    << "," << y + 5 << "' fill='black' stroke='none'/>\n";
}

// A V-shaped drag element, apex upstream, centred on (x, y).
void Gutter(Svg& s, int x, int y, int half) {
  s << "<polyline points='" << x + 12 << "," << y - half << " " << x - 10 << "," << y << " "
    << x + 12 << "," << y + half << "' fill='none' stroke-width='4' stroke-linejoin='miter'/>\n";
}

// A flame tongue trailing downstream from (x, y), with its inner core.
void Flame(Svg& s, int x, int y) {
  s << "<path d='M" << x << "," << y << " C" << x + 8 << "," << y - 11 << " " << x + 24 << ","
    << y - 9 << " " << x + 40 << "," << y << " C" << x + 24 << "," << y + 9 << " " << x + 8
    << "," << y + 11 << " " << x << "," << y << " Z' fill='none' stroke-width='1.4'/>\n";
  s << "<path d='M" << x + 6 << "," << y << " C" << x + 12 << "," << y - 4 << " " << x + 20
    << "," << y - 3 << " " << x + 28 << "," << y << "' fill='none' stroke-width='1'/>\n";
}

void Station(Svg& s, int x, int top, int bottom, const char* number) {
  Line(s, x, top - 8, x, bottom + 8, 1, "5,4");
  Text(s, x, bottom + 26, number, 17, "middle", "bold");
}

}  // namespace

std::string DuctDiagram() {
  Svg s;
  s << "<svg xmlns='http://www.w3.org/2000/svg' width='700' height='406' viewBox='0 0 700 406'>\n"
    << "<rect x='0' y='0' width='700' height='406' fill='white' stroke='none'/>\n"
    << "<g fill='black' stroke='black' font-family='Liberation Serif, Times New Roman, serif'>\n";

  // Walls: constant area to station 5, diverging to station 6.
  s << "<polyline points='" << kInlet << "," << kTop << " " << kStation5 << "," << kTop << " "
    << kStation6 << "," << kTop6 << "' fill='none' stroke-width='4'/>\n";
  s << "<polyline points='" << kInlet << "," << kBottom << " " << kStation5 << "," << kBottom
    << " " << kStation6 << "," << kBottom6 << "' fill='none' stroke-width='4'/>\n";

  // Splitter plate between the two streams, thinning to its trailing edge.
  s << "<polygon points='" << kInlet << "," << kSplit - 4 << " " << kSplitEnd << "," << kSplit
    << " " << kInlet << "," << kSplit + 4 << "' stroke='none'/>\n";
  Text(s, 96, kSplit - 10, "splitter plate", 13, "middle", "normal", "italic");

  // The two inlet streams.
  Arrow(s, 4, 70, 140);
  Arrow(s, 4, 70, 240);
  Text(s, 96, 146, "1", 20, "middle", "bold");
  Text(s, 96, 246, "2", 20, "middle", "bold");
  Text(s, 18, 128, "Stream 1", 13, "start");
  Text(s, 18, 228, "Stream 2", 13, "start");
  Arrow(s, 180, 214, 140);
  Arrow(s, 180, 214, 240);

  // Stations.
  Station(s, kStation3, kTop, kBottom, "3");
  Station(s, kStation4, kTop, kBottom, "4");
  Station(s, kStation5, kTop, kBottom, "5");
  Station(s, kStation6, kTop6, kBottom6, "6");

  // The drag elements.
  const int mid = (kTop + kBottom) / 2;
  Gutter(s, (kStation3 + kStation4) / 2, mid, 26);
  Gutter(s, (kStation4 + kStation5) / 2, mid, 26);
  Text(s, (kStation3 + kStation4) / 2, mid - 38, "mixer", 13);
  Text(s, (kStation4 + kStation5) / 2, mid - 38, "flameholder", 13);

  // Burning in the diverging section.
  const int flames[][2] = {{425, 150}, {425, 200}, {425, 250}, {485, 125}, {485, 175},
                           {485, 225}, {485, 275}, {545, 112}, {545, 162}, {545, 212},
                           {545, 262}, {605, 137}, {605, 187}, {605, 237},
                           {605, 287}};
  for (const auto& f : flames) Flame(s, f[0], f[1]);
  const int burner = (kStation5 + kStation6) / 2;
  Text(s, burner, 26, "combined combustion, area change", 14, "middle", "bold");
  Text(s, burner, 45, "and friction computed in 5000 steps", 14, "middle", "bold");

  // Section names under the duct.
  Text(s, (kInlet + kStation3) / 2, 352, "mixing section", 14);
  Text(s, (kStation3 + kStation5) / 2, 352, "drag elements", 14);
  Arrow(s, 676, 698, 200);

  s << "</g>\n</svg>\n";
  return s.text;
}

}  // namespace flowmarch
