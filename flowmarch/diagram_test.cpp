#include "flowmarch/diagram.h"

#include <gtest/gtest.h>

namespace flowmarch {
namespace {

TEST(DuctDiagram, CarriesItsLabels) {
  const std::string svg = DuctDiagram();
  EXPECT_EQ(svg.rfind("<svg", 0), 0u);
  EXPECT_NE(svg.find("width='700' height='406'"), std::string::npos);
  const char* labels[] = {">1<", ">2<", ">3<", ">4<", ">5<", ">6<", "splitter plate",
                          "mixer", "flameholder", "5000 steps", "combustion", "area change",
                          "friction"};
  for (const char* label : labels) EXPECT_NE(svg.find(label), std::string::npos) << label;
  EXPECT_NE(svg.find("</svg>"), std::string::npos);
}

}  // namespace
}  // namespace flowmarch
