// What a person reads when something goes wrong: messages by caption, no
// mixture of old and new results, print files that say where they went.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "core/form.h"
#include "core/numtext.h"
#include "core/testing/driver.h"

namespace core {
namespace {

TEST(ClassifyStrict, TellsTheFaultsApart) {
  struct Case {
    const char* text;
    StrictFault fault;
  } cases[] = {
      {"", StrictFault::Empty},          {"  \t", StrictFault::Empty},
      {"abc", StrictFault::NotANumber},  {"1.4x", StrictFault::NotANumber},
      {"1e", StrictFault::NotANumber},   {"--1", StrictFault::NotANumber},
      {"1e400", StrictFault::TooLarge},  {"3.5e38", StrictFault::TooLarge},
      {"-1e400", StrictFault::TooSmall}, {"1e-400", StrictFault::None},
      {"3.4e38", StrictFault::None},     {" 1,000 ", StrictFault::None},
      {"0", StrictFault::None},          {"-5", StrictFault::None},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyStrict(c.text), c.fault) << c.text;
    EXPECT_EQ(ParseStrict(c.text).has_value(), c.fault == StrictFault::None) << c.text;
  }
}

// A window with a named box, a box named only by the label left of it, and a
// computation whose second result fails.
class Window : public Form {
 public:
  Window() : Form("Window", 400, 200) {
    named = AddTextBox("txtm1", {100, 0, 60, 20});
    named->what = "Mach number";
    AddLabel("Label3", "Flow angle", {0, 40, 90, 20});
    AddLabel("Label4", "deg", {170, 40, 40, 20});
    plain = AddTextBox("txtdl", {100, 40, 60, 20});
    orphan = AddTextBox("txtq", {300, 150, 60, 20});
    rows = AddLabelArray("lblr", 3, "0.00", {0, 80, 60, 20}, 20);
    kept = AddLabel("lblkept", "7", {200, 80, 60, 20}, nullptr, Look::Result);
    auto* go = AddButton("cmdgo", "Compute", {0, 0, 50, 20});
    go->Click = [this] {
      Writes(rows);
      const float m = Strict(named);
      for (int i = 0; i < 3; ++i)  // the last row has no finite value for m = 0
        rows[i]->setCaption(FormatPattern(i < 2 ? double(m) : 1.0 / m, "0.##"));
    };
    // The same box read by the leading rule, as a Double and as a Single.
    AddButton("cmdlead", "Compute", {60, 0, 30, 20})->Click = [this] {
      Writes({kept});
      kept->setCaption(FormatPattern(Leading(named), "0.##"));
    };
    AddButton("cmdsingle", "Compute", {60, 20, 30, 20})->Click = [this] {
      Writes({kept});
      kept->setCaption(FormatPattern(LeadingSingle(named), "0.##"));
    };
  }
  TextBox *named, *plain, *orphan;
  std::vector<Label*> rows;
  Label* kept;
};

TEST(Report, MessagesNameTheBoxByItsCaptionAndTellTheFaultsApart) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"", "Mach number is empty: type a number"},
      {"abc", "Mach number does not hold a number"},
      {"1e400", "Mach number is too large"},
      {"-1e400", "Mach number is too small"},
  };
  for (const Case& c : cases) {
    Window w;
    w.Load();
    w.UserType(*w.named, c.text);
    w.UserClick(*w.Find("cmdgo"));
    EXPECT_TRUE(w.lblError->visible());
    EXPECT_EQ(w.lblError->caption(), c.message);
  }
  Window w;
  EXPECT_EQ(w.CaptionOf(*w.plain), "Flow angle");  // the label left of it, not the unit
  EXPECT_EQ(w.CaptionOf(*w.orphan), "A box");       // never the control's name
}

// The same refusals, in the same words, whichever rule reads the box.
TEST(Report, BothRulesRefuseByTheCaptionAlike) {
  struct Case {
    const char* text;
    const char* message;  // nullptr: read, giving shown
    const char* shown;
  } cases[] = {
      {"2,5", "Mach number has a comma: type 2.5 with a point", nullptr},
      {"1,5", "Mach number has a comma: type 2.5 with a point", nullptr},
      {"1,0000", "Mach number has a comma: type 2.5 with a point", nullptr},
      {"", "Mach number is empty: type a number", nullptr},
      {"12abc", "Mach number does not hold a number", nullptr},
      {"abc", "Mach number does not hold a number", nullptr},
      {"-1e400", "Mach number is too small", nullptr},
      {"1e400", "Mach number is too large", nullptr},
      {"1,000", nullptr, "1000."},
      {"12,345.5", nullptr, "12345.5"},
  };
  for (const Case& c : cases)
    for (const char* button : {"cmdgo", "cmdlead", "cmdsingle"}) {
      SCOPED_TRACE(std::string(button) + " \"" + c.text + "\"");
      Window w;
      w.Load();
      w.UserType(*w.named, c.text);
      w.UserClick(*w.Find(button));
      EXPECT_EQ(w.lblError->visible(), c.message != nullptr);
      EXPECT_EQ(w.lblError->caption(), c.message ? c.message : "");
      if (!c.message) {
        EXPECT_EQ((button == std::string("cmdgo") ? w.rows[0] : w.kept)->caption(), c.shown);
      }
    }
  // A Double beyond the Single range is refused where the box is read as a
  // Single, not turned into infinity.
  Window w;
  w.Load();
  w.UserType(*w.named, "1e39");
  w.UserClick(*w.Find("cmdlead"));
  EXPECT_FALSE(w.lblError->visible());
  w.UserClick(*w.Find("cmdsingle"));
  EXPECT_EQ(w.lblError->caption(), "Mach number is too large");
}

TEST(Report, AFailedComputationBlanksWhatItWouldHaveWrittenAndNothingElse) {
  Window w;
  w.Load();
  w.UserType(*w.named, "2");
  w.UserClick(*w.Find("cmdgo"));
  EXPECT_EQ(w.rows[0]->caption(), "2.");
  EXPECT_EQ(w.rows[2]->caption(), "0.5");
  w.UserType(*w.named, "0");  // two rows are written, then the third fails
  w.UserClick(*w.Find("cmdgo"));
  EXPECT_TRUE(w.lblError->visible());
  for (Label* row : w.rows) EXPECT_EQ(row->caption(), "") << row->id();
  EXPECT_EQ(w.kept->caption(), "7");
  w.UserType(*w.named, "4");
  w.UserClick(*w.Find("cmdgo"));
  EXPECT_FALSE(w.lblError->visible());
  EXPECT_EQ(w.rows[2]->caption(), "0.25");
}

// A table whose handler does not say what it writes: the rows it rewrote
// before failing take the whole table with them, and a second table stays.
class Tables : public Form {
 public:
  Tables() : Form("Tables", 400, 300) {
    auto* first = AddFrame("fraMulti", "Multiple Values", {0, 0, 200, 200});
    auto* second = AddFrame("fraOther", "Other Values", {200, 0, 200, 200});
    rows = AddLabelArray("lblm", 4, "1", {0, 20, 60, 20}, 20, first);
    others = AddLabelArray("lblo", 2, "9", {0, 20, 60, 20}, 20, second);
    box = AddTextBox("txtg", {0, 250, 60, 20});
    box->what = "γ";
    auto* go = AddButton("cmdMcompute", "Compute", {100, 250, 60, 20});
    go->Click = [this] {
      const double g = Strict(box);
      for (int i = 0; i < 4; ++i)
        rows[i]->setCaption(FormatPattern(i == 0 ? -g : 1 / (g - 1) * i, "0.####"));
    };
  }
  std::vector<Label*> rows, others;
  TextBox* box;
};

TEST(Report, ATableIsWhollyNewOrWhollyBlank) {
  Tables t;
  t.Load();
  t.UserType(*t.box, "2");
  t.UserClick(*t.Find("cmdMcompute"));
  EXPECT_EQ(t.rows[3]->caption(), "3.");
  t.UserType(*t.box, "1");  // the first row is written, then 1/(γ − 1) fails
  t.UserClick(*t.Find("cmdMcompute"));
  EXPECT_TRUE(t.lblError->visible());
  for (Label* row : t.rows) EXPECT_EQ(row->caption(), "") << row->id();
  for (Label* row : t.others) EXPECT_EQ(row->caption(), "9") << row->id();
  // Unless the handler names what it writes (Writes), a failure before any
  // row is rewritten leaves the table alone.
  t.UserType(*t.box, "2");
  t.UserClick(*t.Find("cmdMcompute"));
  t.UserType(*t.box, "x");
  t.UserClick(*t.Find("cmdMcompute"));
  EXPECT_EQ(t.rows[3]->caption(), "3.");
}

// Print files, in a scratch folder of their own.
class PrintFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = std::filesystem::current_path();
    dir_ = std::filesystem::temp_directory_path() /
           ("report_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    std::filesystem::current_path(dir_);
  }
  void TearDown() override {
    std::filesystem::current_path(home_);
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all);
    std::filesystem::remove_all(dir_);
  }
  std::filesystem::path home_, dir_;
};

using Recorder = core::testing::FileLog;

TEST_F(PrintFiles, AWrittenFileIsAnnounced) {
  Window w;
  Recorder seen;
  w.SetObserver(&seen);
  w.WritePrintFile("PRINT 1.txt", {"a", "b"});
  EXPECT_EQ(seen.names, std::vector<std::string>{"PRINT 1.txt"});
  EXPECT_EQ(std::filesystem::file_size(dir_ / "PRINT 1.txt"), 6u);
}

TEST_F(PrintFiles, NumberedFilesPassOverOthersAndRewriteTheirOwn) {
  std::ofstream("PRINT 1.txt", std::ios::binary) << "earlier";
  std::ofstream("PRINT 3.txt", std::ios::binary) << "earlier";
  Window w;
  Recorder seen;
  w.SetObserver(&seen);
  std::int16_t counter = 0;
  EXPECT_EQ(w.WriteNumberedPrintFile("PRINT", counter, {"a"}), "PRINT 2.txt");
  EXPECT_EQ(counter, 2);
  EXPECT_EQ(w.WriteNumberedPrintFile("PRINT", counter, {"b"}), "PRINT 4.txt");
  EXPECT_EQ(seen.names, (std::vector<std::string>{"PRINT 2.txt", "PRINT 4.txt"}));
  EXPECT_EQ(std::filesystem::file_size(dir_ / "PRINT 1.txt"), 7u);
  EXPECT_EQ(std::filesystem::file_size(dir_ / "PRINT 3.txt"), 7u);
  // A file this window wrote is its own to write again.
  counter = 1;
  EXPECT_EQ(w.WriteNumberedPrintFile("PRINT", counter, {"again"}), "PRINT 2.txt");
  EXPECT_EQ(std::filesystem::file_size(dir_ / "PRINT 2.txt"), 7u);
  // Another window passes over all of them.
  Window other;
  std::int16_t its = 0;
  EXPECT_EQ(other.WriteNumberedPrintFile("PRINT", its, {"c"}), "PRINT 5.txt");
  // The counter's range is the bound: past its end no file is written.
  its = std::numeric_limits<std::int16_t>::max();
  EXPECT_THROW(other.WriteNumberedPrintFile("PRINT", its, {"d"}), Failure);
  EXPECT_EQ(its, std::numeric_limits<std::int16_t>::max());
}

TEST_F(PrintFiles, AFailedNumberedWriteCountsNoFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  ::chmod(dir_.c_str(), 0500);
  Window w;
  std::int16_t counter = 0;
  EXPECT_THROW(w.WriteNumberedPrintFile("PRINT", counter, {"a"}), Failure);
  EXPECT_EQ(counter, 0);
  ::chmod(dir_.c_str(), 0700);
  EXPECT_EQ(w.WriteNumberedPrintFile("PRINT", counter, {"a"}), "PRINT 1.txt");
}

TEST_F(PrintFiles, AFailedWriteNamesTheFullPathAndWhy) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  ::chmod(dir_.c_str(), 0500);
  Window w;
  Recorder seen;
  w.SetObserver(&seen);
  try {
    w.WritePrintFile("PRINT 1.txt", {"a"});
    FAIL() << "the write should fail";
  } catch (const Failure& f) {
    EXPECT_EQ(std::string(f.what()), "Cannot write the print file " +
                                         (dir_ / "PRINT 1.txt").string() + ": permission denied");
  }
  EXPECT_TRUE(seen.names.empty());
}

TEST_F(PrintFiles, AWriteIntoAFolderThatIsGoneSaysSo) {
  std::filesystem::path gone = dir_ / "gone";
  std::filesystem::create_directories(gone);
  std::filesystem::current_path(gone);
  std::filesystem::remove(gone);
  Window w;
  try {
    w.WritePrintFile("PRINT 1.txt", {"a"});
    FAIL() << "the write should fail";
  } catch (const Failure& f) {
    const std::string message = f.what();
    EXPECT_NE(message.find("PRINT 1.txt"), std::string::npos) << message;
    EXPECT_NE(message.find("the folder no longer exists"), std::string::npos) << message;
  }
  std::filesystem::current_path(dir_);
}

}  // namespace
}  // namespace core
