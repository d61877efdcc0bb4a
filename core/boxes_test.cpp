#include "core/boxes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace core {
namespace {

class Window : public Form {
 public:
  Window() : Form("boxes", 400, 300) {}
};

// Each row gives a caption label and then its box, in the table's order,
// with every field of the row where it belongs.
TEST(Boxes, EachRowBuildsItsCaptionThenItsBox) {
  Window w;
  Frame* in = w.AddFrame("fra", "", {0, 0, 300, 200});
  const std::vector<BoxRow> rows = {
      {"lbla", "a (ft)", "txta", "1.5", {1, 2, 3, 4}, {5, 6, 7, 8}, "a"},
      {"lblb",
       "b =",
       "txtb",
       "",
       {9, 10, 11, 12},
       {13, 14, 15, 16},
       "",
       Precision::Single,
       true,
       Align::Right},
  };
  const Boxes built = AddBoxes(w, rows, in);
  ASSERT_EQ(built.size(), 2u);
  const std::vector<Control*> children = w.Children(in);
  ASSERT_EQ(children.size(), 4u);
  for (size_t i = 0; i < rows.size(); ++i) {
    const BoxRow& r = rows[i];
    SCOPED_TRACE(r.box);
    const Control* label = children[2 * i];
    EXPECT_EQ(label->kind(), Kind::Label);
    EXPECT_EQ(label->name(), r.label);
    EXPECT_EQ(label->text(), r.caption);
    EXPECT_EQ(label->rect.x, r.labelAt.x);
    EXPECT_EQ(label->rect.h, r.labelAt.h);
    const TextBox* box = built[i];
    EXPECT_EQ(children[2 * i + 1], box);
    EXPECT_EQ(box->name(), r.box);
    EXPECT_EQ(box->text(), r.text);
    EXPECT_EQ(box->what, r.what);
    EXPECT_EQ(box->readOnly, r.readOnly);
    EXPECT_EQ(box->align, r.align);
    EXPECT_EQ(box->rect.y, r.boxAt.y);
    EXPECT_EQ(box->rect.w, r.boxAt.w);
    EXPECT_EQ(built.precisions[i], r.precision);
  }
}

// A Single is rounded to float, a Double kept; the leading parser reads
// what it can.
TEST(Boxes, ValuesInEachRowsPrecision) {
  Window w;
  const Boxes built = AddBoxes(w, {{"l1", "x", "t1", "0.1", {}, {}, "", Precision::Single},
                                   {"l2", "y", "t2", "0.1", {}, {}, "", Precision::Double},
                                   {"l3", "z", "t3", " 2 . 5 ", {}, {}, "", Precision::Double}});
  const std::vector<double> v = built.Values(w);
  ASSERT_EQ(v.size(), 3u);
  EXPECT_EQ(v[0], static_cast<double>(0.1f));
  EXPECT_EQ(v[1], 0.1);
  EXPECT_EQ(v[2], 2.5);
  EXPECT_EQ(ReadSingle(w, built[1]), 0.1f);
  // The leading number must be all the box holds.
  built[2]->setText("2.5 psia");
  EXPECT_THROW(built.Values(w), Failure);

  TextBox *a = nullptr, *b = nullptr, *c = nullptr;
  built.Into({&a, &b, &c});
  EXPECT_EQ(a, built[0]);
  EXPECT_EQ(c, BoxNamed(w, "t3"));
  EXPECT_EQ(BoxNamed(w, "l1"), nullptr) << "a label is no box";
}

// Rows described by a library in its own plain types.
struct Place {
  int x, y, w, h;
};
struct Described {
  std::string label, caption, box, text;
  Place labelAt, boxAt;
  std::string what;
  bool single, readOnly;
};
struct DescribedFrame {
  std::string name;
  Place at;
  std::vector<Described> rows;
};

TEST(Boxes, DescribedFramesKeepTheirOrderAndPrecisions) {
  Window w;
  const std::vector<DescribedFrame> frames = {
      {"fra1", {1, 2, 3, 4}, {{"l1", "c1", "t1", "1", {}, {}, "", true, false}}},
      {"fra2",
       {5, 6, 7, 8},
       {{"l2", "c2", "t2", "2", {}, {}, "w", false, false},
        {"l3", "c3", "t3", "", {}, {}, "", false, true}}},
  };
  const Boxes built = AddDescribedFrames(w, frames);
  ASSERT_EQ(built.size(), 3u);
  EXPECT_EQ(built.precisions,
            (std::vector<Precision>{Precision::Single, Precision::Double, Precision::Double}));
  const Frame* second = FrameNamed(w, "fra2");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->rect.x, 5);
  EXPECT_EQ(built[1]->parent(), second);
  EXPECT_EQ(built[1]->what, "w");
  EXPECT_TRUE(built[2]->readOnly);
  EXPECT_EQ(AddDescribed(w, {Described{"l4", "c4", "t4", "4", {}, {}, "", true, false}})[0]->text(),
            "4");
}

TEST(Boxes, ShownTextOnlyOfWhatAPersonSees) {
  Window w;
  Frame* in = w.AddFrame("fra", "", {});
  AddBox(w, {"lbl", "caption", "txt", "12", {}, {}}, in);
  EXPECT_EQ(ShownText(w, "txt"), "12");
  EXPECT_EQ(ShownTexts(w)("lbl"), "caption");
  in->setVisible(false);
  EXPECT_EQ(ShownText(w, "txt"), std::nullopt);
  EXPECT_EQ(ShownText(w, "none"), std::nullopt);
}

TEST(Boxes, SweepLineTakesTheSettledPointsThatReadAsNumbers) {
  SweepTrace sweep;
  sweep.outputs = {"txtx", "txty", "txtz"};
  sweep.points = {{0, {"1.5", "2", "a"}, false},
                  {0, {"3", "4", "b"}, true},   // a gap
                  {0, {"x", "5", "c"}, false},  // no number
                  {0, {"6", "7"}, false},
                  {0, {"8"}, false}};  // too short
  const std::vector<ChartPoint> line = SweepLine(sweep, "txtx", "txty");
  ASSERT_EQ(line.size(), 2u);
  EXPECT_EQ(*line[0], (std::pair{1.5, 2.0}));
  EXPECT_EQ(*line[1], (std::pair{6.0, 7.0}));
  EXPECT_TRUE(SweepLine(sweep, "txtx", "txtw").empty());
}

}  // namespace
}  // namespace core
