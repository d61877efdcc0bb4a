#include "core/testing/driver.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "core/failure.h"
#include "core/reading.h"
#include "core/script.h"

namespace core::testing {

Control& Driver::C(std::string_view id) const {
  Control* c = form_->FindById(id);
  if (!c) {
    ADD_FAILURE() << "no control " << id;
    throw Failure("no control " + std::string(id));
  }
  return *c;
}

TextBox& Driver::Box(std::string_view id) const {
  Control& c = C(id);
  EXPECT_EQ(c.kind(), Kind::TextBox) << id;
  return static_cast<TextBox&>(c);
}

ListBox& Driver::List(std::string_view id) const {
  Control& c = C(id);
  EXPECT_EQ(c.kind(), Kind::List) << id;
  return static_cast<ListBox&>(c);
}

void Driver::Type(std::string_view box, const std::string& text) const {
  form_->UserType(Box(box), text);
}

void Driver::Select(std::string_view list, std::string_view item) const {
  ListBox& l = List(list);
  const int index = l.IndexOf(item);
  EXPECT_GE(index, 0) << list << " holds no item " << item;
  form_->UserSelect(l, index);
}

void Driver::Select(std::string_view list, int index) const { form_->UserSelect(List(list), index); }

void Driver::Click(std::string_view id) const { form_->UserClick(C(id)); }

std::string Driver::Text(std::string_view id) const { return C(id).text(); }

double Driver::Number(std::string_view id) const { return std::stod(Text(id)); }

bool Driver::Visible(std::string_view id) const { return C(id).visible(); }

bool Driver::Shown(std::string_view id) const { return C(id).shown(); }

std::string Driver::ShownPattern(const std::vector<std::string>& ids) const {
  std::string s;
  for (const std::string& id : ids) s += Shown(id) ? '1' : '0';
  return s;
}

std::string Driver::VisiblePattern(const std::vector<std::string>& ids) const {
  std::string s;
  for (const std::string& id : ids) s += Visible(id) ? '1' : '0';
  return s;
}

std::string Driver::Error() const {
  return form_->lblError->visible() ? form_->lblError->text() : std::string();
}

void ExpectTexts(const Driver& w,
                 std::initializer_list<std::pair<std::string_view, std::string_view>> texts) {
  for (const auto& [id, text] : texts) EXPECT_EQ(w.Text(id), text) << id;
}

void ExpectRefused(const Driver& w, std::string_view box, const std::string& text,
                   const std::string& message, const std::vector<std::string>& results,
                   std::string_view button) {
  w.Calculate(button);
  ASSERT_EQ(w.Error(), "") << "before " << box << " " << text;
  w.Type(box, text);
  w.Calculate(button);
  EXPECT_EQ(w.Error(), message) << box << " " << text;
  for (const std::string& result : results)
    EXPECT_EQ(w.Text(result), "") << box << " " << text << " " << result;
}

const std::vector<Refusal> kRefusedTexts = {
    {"", "is empty: type a number"},
    {"   ", "is empty: type a number"},
    {"abc", "does not hold a number"},
    {"12abc", "does not hold a number"},
    {"3.5 psia", "does not hold a number"},
    {"1.2.3", "does not hold a number"},
    {"-", "does not hold a number"},
    {"1e400", "is too large"},
    {"-1e400", "is too small"},
    {"1,5", "has a comma: type 2.5 with a point"},
    {"0,02", "has a comma: type 2.5 with a point"},
    {"1,0000", "has a comma: type 2.5 with a point"},
};

void ExpectEveryRefusal(const Driver& w, std::initializer_list<const char*> boxes,
                        const std::vector<std::string>& results, std::string_view button) {
  for (const char* box : boxes) {
    const std::string keep = w.Text(box);
    const std::string caption = CaptionOf(w.window(), w.C(box));
    for (const Refusal& r : kRefusedTexts) {
      ExpectRefused(w, box, r.text, caption + " " + r.why, results, button);
      w.Type(box, keep);
    }
  }
}

void ExpectChartFollows(const Driver& w, const std::string& chart, std::string_view button,
                        std::initializer_list<ChartStep> steps) {
  for (const ChartStep& s : steps) {
    SCOPED_TRACE(std::string(s.box) + " " + s.text);
    w.Type(s.box, s.text);
    w.Calculate(button);
    const ChartData data = w.window().ShownChart(chart);
    EXPECT_EQ(data.available(), s.drawn) << data.unavailable;
    EXPECT_EQ(w.Visible("lblError"), !s.drawn);
    if (!s.drawn) {
      EXPECT_TRUE(data.series.empty());
      EXPECT_EQ(data.unavailable, "The last computation failed: " + w.Text("lblError"));
    }
  }
}

std::string RunScript(Form& form, const std::string& script, int* status) {
  std::istringstream in(script);
  std::ostringstream out, err;
  const int ended = core::RunScript(form, in, out, err);
  if (status) *status = ended;
  return out.str();
}

// The folder is the test's and this process's alone: the same test run at
// once by another build (or another checkout) must not empty it.
static std::string ScratchName(const std::string& prefix) {
  std::string name = prefix + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                     std::to_string(::getpid());
  for (char& c : name)
    if (c == '/') c = '-';
  return name;
}

ScratchFolder::ScratchFolder(const std::string& prefix)
    : dir_(std::filesystem::temp_directory_path() / ScratchName(prefix)),
      old_(std::filesystem::current_path()) {
  std::filesystem::remove_all(dir_);
  std::filesystem::create_directories(dir_);
  std::filesystem::current_path(dir_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::current_path(old_, ignored);
  std::filesystem::remove_all(dir_, ignored);
}

std::vector<std::string> PrintFileLines(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  EXPECT_TRUE(in) << file;
  std::stringstream all;
  all << in.rdbuf();
  const std::string text = all.str();
  std::vector<std::string> lines;
  for (size_t at = 0; at < text.size();) {
    const size_t end = text.find("\r\n", at);
    if (end == std::string::npos) {
      ADD_FAILURE() << file << ": a line without CR LF after line " << lines.size();
      break;
    }
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

namespace {

std::string FileText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

}  // namespace

void ExpectFailedPrintCountsNoFile(Form& form, const std::string& base, std::string_view button,
                                   std::string_view box, const std::string& text) {
  Driver w(form);
  FileLog log;
  form.SetObserver(&log);
  const std::string keep = w.Text(box);
  w.Type(box, text);
  w.Click(button);
  EXPECT_NE(w.Error(), "") << box << " " << text;
  EXPECT_EQ(log.names, std::vector<std::string>{});
  EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::current_path()));
  w.Type(box, keep);
  w.Click(button);
  EXPECT_EQ(w.Error(), "");
  EXPECT_EQ(log.names, std::vector<std::string>{base + " 1.txt"});
  EXPECT_TRUE(std::filesystem::exists(base + " 1.txt"));
  form.SetObserver(nullptr);
}

void ExpectEarlierPrintFilesKept(Form& form, const std::string& base, std::string_view button) {
  Driver w(form);
  FileLog log;
  form.SetObserver(&log);
  const std::string earlier = "a file of an earlier run\r\n";
  std::ofstream(base + " 1.txt", std::ios::binary) << earlier;
  w.Click(button);
  w.Click(button);
  EXPECT_EQ(w.Error(), "");
  EXPECT_EQ(log.names, (std::vector<std::string>{base + " 2.txt", base + " 3.txt"}));
  EXPECT_EQ(FileText(base + " 1.txt"), earlier);
  EXPECT_FALSE(FileText(base + " 2.txt").empty());
  form.SetObserver(nullptr);
}

const ChartMark* FindMark(const ChartData& chart, std::string_view name) {
  for (const ChartMark& m : chart.marks)
    if (m.name == name) return &m;
  return nullptr;
}

}  // namespace core::testing
