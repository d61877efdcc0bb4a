#include "lib/engine_maps/map_boxes.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace engine_maps {
namespace {

const MapLayout kLayout{
    50, 150, 230, 80, "txtn2d", true, false, {"c1",  "c2",    "c3",    "c4", "c5", "n2d",  "etacd",
                                              "mu",  "b1",    "etabd", "b2", "h",  "pitc", "mc4c",
                                              "n4d", "etatd", "k1",    "k2", "s1", "s2"}};

std::vector<BoxDesc> Rows(const MapLayout& layout) {
  std::vector<BoxDesc> rows;
  for (const FrameDesc& f : MapFrames(layout))
    rows.insert(rows.end(), f.rows.begin(), f.rows.end());
  return rows;
}

// The frames hold the boxes in the order MapsOf reads them, each with its
// default, every box named once; the Doubles are those the matching reads
// wide (the design speeds as the layout says).
TEST(MapBoxes, FramesHoldTheBoxesInReadingOrder) {
  const std::vector<BoxDesc> rows = Rows(kLayout);
  ASSERT_EQ(rows.size(), kMapBoxes);
  std::set<std::string> names;
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].text, kLayout.texts[i]) << i;
    EXPECT_TRUE(names.insert(rows[i].box).second) << rows[i].box;
    EXPECT_FALSE(rows[i].readOnly);
    EXPECT_TRUE(rows[i].what.empty()) << "messages name map boxes by their captions";
  }
  EXPECT_EQ(rows[5].box, "txtn2d");
  EXPECT_EQ(rows[kMuBox].box, "txtmu");
  const std::set<std::string> wide = {"txtetacd", "txtetabd", "txtmc4c", "txtNc4d", "txtetatd"};
  for (const BoxDesc& r : rows) EXPECT_EQ(r.single, !wide.count(r.box)) << r.box;

  MapLayout other = kLayout;
  other.nc2dBox = "txtnc2d";
  other.nc2dSingle = false;
  other.nc4dSingle = true;
  const std::vector<BoxDesc> flipped = Rows(other);
  EXPECT_EQ(flipped[5].box, "txtnc2d");
  EXPECT_FALSE(flipped[5].single);
  EXPECT_TRUE(flipped[14].single);
}

TEST(MapBoxes, MapsOfPutsEachValueInItsField) {
  std::vector<double> v;
  for (size_t i = 0; i < kMapBoxes; ++i) v.push_back(static_cast<double>(i) + 0.25);
  const MapInputs m = MapsOf(v);
  EXPECT_EQ(m.comp, (Compressor{0.25f, 1.25f, 2.25f, 3.25f, 4.25f, 5.25, 6.25, 7.25}));
  EXPECT_EQ(m.burn.b1, 8.25f);
  EXPECT_EQ(m.burn.etabd, 9.25);
  EXPECT_EQ(m.burn.b2, 10.25f);
  EXPECT_EQ(m.burn.h, 11.25f);
  EXPECT_EQ(m.turb, (Turbine{12.25f, 16.25f, 17.25f, 13.25, 14.25, 15.25}));
  EXPECT_EQ(m.s1, 18.25f);
  EXPECT_EQ(m.s2, 19.25f);
  EXPECT_EQ(MapsOf(v, 0.1).comp.mu, 0.1);
}

// Why a map has no point, in the order the window would say it.
TEST(MatchChart, SaysWhyThereIsNoPoint) {
  MapInputs now;
  now.comp = {0.08f, 0.02f, 0.8f, 0.00001f, 2.0f, 10000, 0.88, 0.1};
  now.turb = {0.28f, 1.0f, 0.2f, 35, 4000, 0.9};
  MatchedMaps last{now.comp, now.turb, 150, 10, 10000, 0.3, 30, 4000, false};
  MatchedMaps changed = last;
  changed.comp.c1 = 0.09f;
  struct Case {
    const char* what;
    std::optional<MatchedMaps> last;
    std::map<std::string, std::string> shown;
    std::string why;  // empty: the point is marked
  };
  const Case cases[] = {
      {"none yet", std::nullopt, {}, "press Calculate to place the operating point"},
      {"failed",
       std::nullopt,
       {{"lblError", "bad"}, {"Label69", "Did not converge!!!"}},
       "no operating point: bad"},
      {"not converged",
       std::nullopt,
       {{"Label69", "Did not converge!!!"}},
       "no operating point: Did not converge!!!"},
      {"other maps", changed, {}, "the map has changed"},
      {"matched", last, {{"txtn2a", "10,000"}}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ShownText shown = [&c](const std::string& id) -> std::optional<std::string> {
      const auto it = c.shown.find(id);
      if (it == c.shown.end()) return std::nullopt;
      return it->second;
    };
    const core::ChartData chart = MatchChart("compressor-map", now, c.last, shown, {});
    ASSERT_TRUE(chart.available()) << chart.unavailable;
    if (c.why.empty()) {
      EXPECT_FALSE(chart.marks.empty());
    } else {
      EXPECT_TRUE(chart.marks.empty());
      EXPECT_NE(chart.title.find(c.why), std::string::npos) << chart.title;
    }
  }
  EXPECT_TRUE(IsMatchChart("turbine-map"));
  EXPECT_FALSE(IsMatchChart("ts-diagram"));
}

}  // namespace
}  // namespace engine_maps
