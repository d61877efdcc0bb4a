#include "core/case_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/testing/driver.h"

namespace core {
namespace {

// A small window with a box, a result, a list, options, a print file, a
// program start and "Done!".
class Tank : public Form {
 public:
  Tank() : Form(Caption("Tank", 3), 300, 200) {
    depth = AddTextBox("txtDepth", {0, 0, 50, 20});
    pressure = AddTextBox("txtP", {0, 30, 50, 20});
    pressure->readOnly = true;
    fluid = AddList("lstFluid", {"Water", "Mercury", "Sea water"}, {0, 60, 80, 40});
    optA = AddOption("optA", "A", {100, 0, 50, 20});
    optB = AddOption("optB", "B", {100, 20, 50, 20});
    compute = AddButton("cmdCompute", "Compute", {0, 110, 60, 20});
    print = AddButton("cmdPrint", "Print", {70, 110, 60, 20});
    start = AddButton("cmdStart", "Start", {140, 110, 60, 20});
    done = AddButton("cmdend", "Done!", {210, 110, 60, 20});
    Measure("txtDepth", Quantity::Length);
    compute->Click = [this] {
      Writes({pressure});
      const double weight[] = {62.4, 849.0, 64.0};
      const float d = Strict(depth);
      pressure->setText(std::to_string(d * weight[fluid->listIndex()] / 144.0));
    };
    print->Click = [this] { WritePrintFile("tank.txt", {"depth " + depth->text()}); };
    start->Click = [this] { StartProgram("isentropic"); };
    done->Click = [this] { End(); };
  }
  void Form_Load() override {
    depth->setText("10");
    fluid->setListIndex(0);
    optA->setValue(true);
  }
  TextBox *depth, *pressure;
  ListBox* fluid;
  Option *optA, *optB;
  Button *compute, *print, *start, *done;
};

const FormFactory kMake = [] { return std::unique_ptr<Form>(new Tank); };

// Counts what a window asks of its view.
struct Effects : FormObserver {
  void ControlChanged(Control&) override {}
  void ProgramEnded() override {}
  void FileWritten(const std::string& name) override { files.push_back(name); }
  void StartProgram(const std::string& program) override { started.push_back(program); }
  std::vector<std::string> files, started;
};

std::unique_ptr<Form> Used() {
  auto w = kMake();
  w->Load();
  testing::Driver d(*w);
  d.Type("txtDepth", "12.5");
  d.Select("lstFluid", "Sea water");
  d.Click("optB");
  d.Click("cmdCompute");
  w->UserUnits(UnitSystem::SI);
  d.Type("txtDepth", "3 ");
  d.Click("cmdCompute");
  return w;
}

TEST(CaseFile, TextIsTheScriptOfTheActions) {
  auto w = Used();
  EXPECT_EQ(CaseText(*w, "tank"),
            "# flow-calculators case: program tank, version " + SuiteVersion() + ", units si\n"
            "units us\n"
            "type txtDepth 12.5\n"
            "select lstFluid Sea water\n"
            "click optB\n"
            "click cmdCompute\n"
            "units si\n"
            "type txtDepth 3 \n"
            "click cmdCompute\n");
  EXPECT_EQ(CaseProgram(CaseText(*w, "tank")), "tank");
  EXPECT_EQ(CaseProgram("type txtDepth 1\n"), "");
}

TEST(CaseFile, OpenedWindowIsTheSavedOneAndSavesTheSameAgain) {
  auto w = Used();
  const std::string text = CaseText(*w, "tank");
  OpenedCase opened = OpenCase(text, "tank", kMake);
  ASSERT_TRUE(opened.ok()) << opened.error;
  EXPECT_EQ(StateText(*opened.window), StateText(*w));
  EXPECT_EQ(opened.window->units(), UnitSystem::SI);
  EXPECT_EQ(CaseText(*opened.window, "tank"), text);
  // The actions to replay elsewhere (a sweep's copy) give the same window.
  const CaseRead read = ReadCase(text, "tank", kMake);
  ASSERT_TRUE(read.ok()) << read.error;
  auto copy = kMake();
  copy->MakeCopy();
  copy->Replay(read.actions);
  EXPECT_EQ(StateText(*copy), StateText(*w));
}

TEST(CaseFile, EndedWindowKeepsWhatCameBeforeTheEnd) {
  auto w = Used();
  const std::string before = CaseText(*w, "tank");
  w->UserClick(*w->FindById("cmdend"));
  ASSERT_TRUE(w->ended());
  EXPECT_EQ(CaseText(*w, "tank"), before);
}

TEST(CaseFile, ReplayWritesAndStartsNothingButTheOpenedWindowDoes) {
  testing::ScratchFolder scratch("case-effects-");
  auto w = kMake();
  w->Load();
  w->UserClick(*w->FindById("cmdPrint"));
  w->UserClick(*w->FindById("cmdStart"));
  std::filesystem::remove("tank.txt");
  OpenedCase opened = OpenCase(CaseText(*w, "tank"), "tank", kMake);
  ASSERT_TRUE(opened.ok()) << opened.error;
  EXPECT_FALSE(std::filesystem::exists("tank.txt"));
  Effects effects;
  opened.window->SetObserver(&effects);
  opened.window->UserClick(*opened.window->FindById("cmdPrint"));
  opened.window->UserClick(*opened.window->FindById("cmdStart"));
  EXPECT_TRUE(std::filesystem::exists("tank.txt"));
  EXPECT_EQ(effects.files, std::vector<std::string>{"tank.txt"});
  EXPECT_EQ(effects.started, std::vector<std::string>{"isentropic"});
  opened.window->SetObserver(nullptr);
}

TEST(CaseFile, CommentsBlankLinesAndWindowsLineEndsAreRead) {
  const std::string text =
      "\xEF\xBB\xBF# flow-calculators case: program tank, version 0.9, units us\r\n"
      "\r\n"
      "  # a note for the class\r\n"
      "type txtDepth 7\r\n"
      "click cmdCompute";
  OpenedCase opened = OpenCase(text, "tank", kMake);
  ASSERT_TRUE(opened.ok()) << opened.error;
  EXPECT_EQ(opened.window->FindById("txtDepth")->text(), "7");
  EXPECT_FALSE(opened.window->FindById("txtP")->text().empty());
}

struct Bad {
  const char* what;
  std::string text;  // after the header line
  std::string error;
};

const std::string kHeader = "# flow-calculators case: program tank, version 1.0, units us\n";

TEST(CaseFile, BadCasesAreRefusedByLineAndReason) {
  const std::vector<Bad> bad = {
      {"another program", "# flow-calculators case: program shock, version 1.0, units us\n",
       "Line 1: this case is for shock, not for tank"},
      {"no header", "type txtDepth 1\n",
       "Line 1: not a case of these calculators (a case begins with \"# flow-calculators case: program ...\")"},
      {"header units", "# flow-calculators case: program tank, version 1.0, units metric\n",
       "Line 1: the unit system must be us or si, not \"metric\""},
      {"unknown control", kHeader + "type txtDepth 1\ntype txtWidth 2\n",
       "Line 3: this window has no control named \"txtWidth\""},
      {"missing item", kHeader + "\nselect lstFluid Oil\n", "Line 3: list lstFluid holds no item \"Oil\""},
      {"result box", kHeader + "type txtP 5\n", "Line 2: txtP shows a result; nothing can be typed into it"},
      {"long text", kHeader + "type txtDepth " + std::string(kMaxTypedChars + 1, '9') + "\n",
       "Line 2: the text is longer than a box takes (32767 characters)"},
      {"wrong kind", kHeader + "click lstFluid\n", "Line 2: \"click\" does not fit lstFluid, a list"},
      {"click with more", kHeader + "click cmdCompute now\n", "Line 2: \"click\" takes only a control name"},
      {"bad units", kHeader + "units metric\n", "Line 2: \"units\" takes us or si"},
      {"sweep", kHeader + "sweep txtDepth 0 1 5 cmdCompute txtP\n",
       "Line 2: a case only types, clicks, selects and chooses units; \"sweep\" has no place in one"},
      {"close", kHeader + "close\n",
       "Line 2: a case only types, clicks, selects and chooses units; \"close\" has no place in one"},
      {"unknown command", kHeader + "run /bin/sh\n", "Line 2: unknown command \"run\""},
      {"long name", kHeader + "click " + std::string(200, 'x') + "\n",
       "Line 2: this window has no control named \"" + std::string(60, 'x') + "…\""},
      {"long item", kHeader + "select lstFluid " + std::string(59, 'w') + "\xc3\xa9tout\n",
       "Line 2: list lstFluid holds no item \"" + std::string(59, 'w') + "…\""},
      {"indented command", kHeader + " click cmdCompute\n", "Line 2: unknown command \"\""},
      {"ends the program", kHeader + "click cmdend\n",
       "Line 2: this ends the program; a case cannot close its window"},
      {"NUL byte", kHeader + "type txtDepth 1\n" + std::string("click\0x", 7) + "\n",
       "Line 3: a NUL byte: this is a binary file, not a case"},
      {"control character", kHeader + "type txtDepth 1\x1b[2J\n",
       "Line 2: a control character (0x1B): this is not a text file"},
      {"lone CR", kHeader + "type txtDepth 1\rclick cmdCompute\n",
       "Line 2: a carriage return inside the line: the file is not text of lines"},
      {"Latin-1", kHeader + "\n\nselect lstFluid Wa\xdf" "er\n", "Line 4: bytes that are not UTF-8 text"},
      {"overlong UTF-8", kHeader + "type txtDepth \xc0\xaf\n", "Line 2: bytes that are not UTF-8 text"},
      {"surrogate", kHeader + "type txtDepth \xed\xa0\x80\n", "Line 2: bytes that are not UTF-8 text"},
      {"cut sequence", kHeader + "type txtDepth \xe2\x82", "Line 2: bytes that are not UTF-8 text"},
  };
  for (const Bad& b : bad) {
    SCOPED_TRACE(b.what);
    const std::string& text = b.text;
    const CaseRead read = ReadCase(text, "tank", kMake);
    EXPECT_EQ(read.error, b.error);
    EXPECT_TRUE(read.actions.empty());
    const OpenedCase opened = OpenCase(text, "tank", kMake);
    EXPECT_EQ(opened.error, b.error);
    EXPECT_EQ(opened.window, nullptr);
  }
}

TEST(CaseFile, OverAMegabyteIsRefusedWhereItCrossesTheMark) {
  std::string text = kHeader;
  while (text.size() <= kMaxCaseBytes) text += "click cmdCompute\n";
  const size_t lines = static_cast<size_t>(std::count(text.begin(), text.begin() + kMaxCaseBytes, '\n'));
  EXPECT_EQ(ReadCase(text, "tank", kMake).error,
            "Line " + std::to_string(lines + 1) + ": the case is larger than 1 MB; no window's actions come near that");
}

TEST(CaseFile, TextWithALineBreakCannotBeSaved) {
  auto w = kMake();
  w->Load();
  w->UserType(static_cast<TextBox&>(*w->FindById("txtDepth")), "1\n2");
  EXPECT_THROW(CaseText(*w, "tank"), Failure);
}

TEST(CaseFile, WrittenWholeOrNotAtAll) {
  testing::ScratchFolder scratch("case-write-");
  auto w = Used();
  EXPECT_EQ(WriteCaseFile(*w, "tank", "used.flowcase"), "");
  std::FILE* in = std::fopen("used.flowcase", "rb");
  ASSERT_NE(in, nullptr);
  std::string read(4096, '\0');
  read.resize(std::fread(read.data(), 1, read.size(), in));
  std::fclose(in);
  EXPECT_EQ(read, CaseText(*w, "tank"));
  // No folder to write in, and a case that cannot be written as lines:
  // the reason, and no file (not even the half one beside it).
  EXPECT_EQ(WriteCaseFile(*w, "tank", "missing/used.flowcase"), "cannot write the case missing/used.flowcase");
  w->UserType(static_cast<TextBox&>(*w->FindById("txtDepth")), "1\n2");
  EXPECT_NE(WriteCaseFile(*w, "tank", "broken.flowcase"), "");
  EXPECT_FALSE(std::filesystem::exists("broken.flowcase"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()), 1);
}

TEST(CaseFragment, RoundTripGivesTheSameCase) {
  auto w = Used();
  w->UserType(static_cast<TextBox&>(*w->FindById("txtDepth")), "a;b=c%d+e #f\xc3\xa9");
  const std::string fragment = FragmentOf(*w, "tank");
  EXPECT_EQ(fragment.find_first_of(" #\n"), std::string::npos) << fragment;
  EXPECT_EQ(fragment.rfind("case=tank;u.us;t.txtDepth=12.5;s.lstFluid=Sea+water;c.optB;", 0), 0u) << fragment;
  const FragmentRead read = CaseOfFragment("#" + fragment, "tank");
  ASSERT_TRUE(read.ok()) << read.error;
  EXPECT_EQ(read.text, CaseText(*w, "tank"));
  OpenedCase opened = OpenCase(read.text, "tank", kMake);
  ASSERT_TRUE(opened.ok()) << opened.error;
  EXPECT_EQ(StateText(*opened.window), StateText(*w));
}

TEST(CaseFragment, CutOrChangedAddressesAreRefused) {
  auto w = Used();
  const std::string fragment = FragmentOf(*w, "tank");
  // Cut anywhere.
  for (size_t n = 0; n < fragment.size(); ++n) {
    SCOPED_TRACE(n);
    EXPECT_FALSE(CaseOfFragment(fragment.substr(0, n), "tank").ok());
  }
  // Any one character changed.
  for (size_t i = 0; i < fragment.size(); ++i) {
    std::string changed = fragment;
    changed[i] = changed[i] == '7' ? '8' : '7';
    SCOPED_TRACE(changed);
    EXPECT_FALSE(CaseOfFragment(changed, "tank").ok());
  }
  const std::vector<std::pair<std::string, std::string>> bad = {
      {fragment.substr(0, fragment.size() - 12), "The address was cut: the end of the case is missing"},
      {"t.txtDepth=1", "The address holds no case"},
      {"case=tank;t.txtDepth=1;k=00000000",
       "The address was cut or changed: the case it holds does not match its check"},
  };
  for (const auto& [text, error] : bad) EXPECT_EQ(CaseOfFragment(text, "tank").error, error) << text;
  EXPECT_EQ(CaseOfFragment(fragment, "shock").error, "The address holds a case for tank, not for shock");
}

TEST(CaseFragment, WellCheckedButMalformedStepsAreRefused) {
  // A fragment made by hand with a correct check still holds only actions.
  const auto signed_ = [](const std::string& body) {
    // The check of a body, as FragmentOf computes it.
    std::uint32_t crc = 0xffffffffu;
    for (char b : body) {
      crc ^= static_cast<unsigned char>(b);
      for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", ~crc);
    return body + ";k=" + hex;
  };
  const std::vector<std::pair<std::string, std::string>> bad = {
      {"case=tank;x.cmdend", "The address step 1 is not an action"},
      {"case=tank;c.cmdCompute=1", "The address step 1 is not an action"},
      {"case=tank;t.txtDepth=%0Aclick+cmdend", "The address step 1 holds a control character"},
      {"case=tank;t.txtDepth=%4", "The address step 1 is not an action"},
      {"case=tank;u.metric", "The address step 1 names no unit system"},
  };
  for (const auto& [body, error] : bad) EXPECT_EQ(CaseOfFragment(signed_(body), "tank").error, error) << body;
  const FragmentRead good = CaseOfFragment(signed_("case=tank;t.txtDepth=4;c.cmdCompute"), "tank");
  ASSERT_TRUE(good.ok()) << good.error;
  EXPECT_TRUE(OpenCase(good.text, "tank", kMake).ok());
}

}  // namespace
}  // namespace core
