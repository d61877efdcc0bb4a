#include "fuzz/window_driver.h"

#include <unistd.h>

#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

namespace {

[[noreturn]] void Broken(const std::string& what) {
  std::fprintf(stderr, "\nbroken invariant: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the fuzzer's bytes as a stream of small choices.
class Bytes {
 public:
  Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool empty() const { return at_ >= size_; }
  uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }
  size_t pick(size_t n) { return n ? next() % n : 0; }

 private:
  const uint8_t* data_;
  size_t size_, at_ = 0;
};

const char* const kNumbers[] = {
    "0",      "-0",     "1",       "-1",      "2",        "0.5",      "1.4",     "1.0001",
    "0.99",   "1e-9",   "1E-45",   "1e-38",   "3.4e38",   "3.5e38",   "1e39",    "-1e30",
    "99999.99", "100000", "36151",  "36152",   "65800",    "145694",   "1e6",     "-5",
    "0.001",  "1000",   "3,000",   "  7  ",   "+3",       ".5",       "5.",      "1e3",
    "10",     "90",     "45",      "360",     "-90",      "0.0001",   "12345678", "0.3",
    "1.67",   "1.1",    "3",       "5",       "20",       "50",       "1E10",    "-1e-10"};
const char* const kGarbage[] = {"",   " ",   "abc", "1.2.3", "--1", ",",  "1e",  "e5",
                                "1,", "nan", "inf", "0x10", "1 2", "½",  "\t", "-"};

std::string Text(Bytes& in) {
  switch (in.pick(5)) {
    case 0:
    case 1: return kNumbers[in.pick(std::size(kNumbers))];
    case 2: return kGarbage[in.pick(std::size(kGarbage))];
    case 3: {  // digits the fuzzer chooses
      std::string s;
      const size_t n = in.pick(24);
      static const char alphabet[] = "0123456789.-+eE, ";
      for (size_t i = 0; i < n; ++i) s += alphabet[in.pick(sizeof alphabet - 1)];
      return s;
    }
    default: {  // long or raw text
      if (in.next() & 1) return std::string(2000 + in.pick(200), '9');
      std::string s;
      const size_t n = in.pick(32);
      for (size_t i = 0; i < n; ++i) s += static_cast<char>(in.next());
      return s;
    }
  }
}

// The shape of a displayed number: -?[0-9,]*\.?[0-9]*(E[-+][0-9]+)?
bool NumberLike(const std::string& text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto digits = [&](bool comma) {
    const std::size_t from = i;
    while (i < n && (IsDigit(text[i]) || (comma && text[i] == ','))) ++i;
    return i > from;
  };
  if (i < n && text[i] == '-') ++i;
  digits(true);
  if (i < n && text[i] == '.') ++i;
  digits(false);
  if (i < n && text[i] == 'E') {
    ++i;
    if (i >= n || (text[i] != '-' && text[i] != '+')) return false;
    ++i;
    if (!digits(false)) return false;
  }
  return i == n;
}

// A word that says the value is not a number: nan, inf or infinity in the
// spellings runtimes print, standing alone between non-letters (not "NAN":
// the streamline guide calls the number of annuli so).
bool ShowsNotANumber(std::string_view text) {
  static const std::string_view words[] = {"nan", "NaN", "inf", "Inf", "INF", "infinity", "INFINITY",
                                           "Infinity"};
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  for (std::size_t i = 0; i < text.size();) {
    if (!letter(text[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && letter(text[end])) ++end;
    const std::string_view word = text.substr(i, end - i);
    for (std::string_view bad : words)
      if (word == bad) return true;
    i = end;
  }
  return false;
}

class Watcher : public core::FormObserver {
 public:
  void ControlChanged(core::Control&) override {}
  void ProgramEnded() override {}
  void StartProgram(const std::string&) override {}
  void FileWritten(const std::string& name) override {
    std::ifstream in(name, std::ios::binary);
    if (!in) Broken("print file " + name + " announced but not there");
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (size_t i = 0; i < content.size(); ++i)
      if (content[i] == '\n' && (i == 0 || content[i - 1] != '\r'))
        Broken("print file " + name + " has a line without CR LF");
    if (!content.empty() && content.back() != '\n') Broken("print file " + name + " is cut short");
    if (ShowsNotANumber(content)) Broken("print file " + name + " shows a number that is not one");
  }
};

void Check(const core::Form& form, const std::string& action) {
  for (const auto& c : form.controls()) {
    if (c->kind() != core::Kind::Label && c->kind() != core::Kind::TextBox) continue;
    const std::string& text = c->text();
    const bool written = c->kind() == core::Kind::Label ||
                         static_cast<const core::TextBox&>(*c).readOnly;
    if (written && ShowsNotANumber(text))
      Broken(c->id() + " shows \"" + text + "\" after " + action);
    if (c->kind() == core::Kind::Label && c->look == core::Look::Result && !NumberLike(text))
      Broken(c->id() + " shows \"" + text + "\" where a number belongs, after " + action);
  }
  if (form.lblError->visible() && form.lblError->caption().empty())
    Broken("lblError shown without a message after " + action);
}

// A print file is written beside itself and renamed into place: a failed
// write must not leave the half-written one behind.
void CheckFolder() {
  for (const auto& entry : std::filesystem::directory_iterator("."))
    if (entry.path().extension() == ".part") Broken("a half-written print file is left behind");
}

}  // namespace

void EnterScratchFolder() {
  char folder[] = "/tmp/calc-fuzz-XXXXXX";
  if (!::mkdtemp(folder) || ::chdir(folder) != 0) Broken("no scratch folder");
}

void DriveWindow(const uint8_t* data, size_t size, const Factory& make) {
  Bytes in(data, size);
  std::unique_ptr<core::Form> form = make();
  Watcher watcher;
  form->SetObserver(&watcher);

  std::vector<core::TextBox*> boxes;
  std::vector<core::Control*> clickable;
  std::vector<core::ListBox*> lists;
  for (const auto& c : form->controls()) {
    // A person types only into boxes that take input; results are the program's.
    if (c->kind() == core::Kind::TextBox && !static_cast<core::TextBox&>(*c).readOnly)
      boxes.push_back(static_cast<core::TextBox*>(c.get()));
    if (c->kind() == core::Kind::Button || c->kind() == core::Kind::Option)
      clickable.push_back(c.get());
    if (c->kind() == core::Kind::List) lists.push_back(static_cast<core::ListBox*>(c.get()));
  }

  // CALC_FUZZ_TRACE=1 prints each action, to turn a find into a script.
  static const bool trace = std::getenv("CALC_FUZZ_TRACE") != nullptr;
  // Every handler must return within a second in the shipped build. The
  // sanitizers and coverage counters here make the dearest handlers (the
  // matching and streamline iterations) up to about 6 times slower.
  constexpr double kShippedSeconds = 1.0;
  constexpr double kInstrumentedSlowdown = 8.0;
  auto timed = [&](const std::string& action, const std::function<void()>& run) {
    if (trace) std::fprintf(stderr, "%s\n", action.c_str());
    // Processor time: what the handler itself costs, whatever else the
    // machine is doing.
    const std::clock_t begin = std::clock();
    run();
    const double seconds = static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC;
    if (seconds > kShippedSeconds * kInstrumentedSlowdown) Broken(action + " took " + std::to_string(seconds) + " s");
    Check(*form, action);
  };

  timed("the load step", [&] { form->Load(); });
  for (int step = 0; step < 48 && !in.empty() && !form->ended(); ++step) {
    switch (in.pick(8)) {
      case 0:
      case 1:
      case 2:
        if (!boxes.empty()) {
          core::TextBox* box = boxes[in.pick(boxes.size())];
          const std::string text = Text(in);
          timed("typing into " + box->id() + (trace ? " \"" + text + "\"" : ""), [&] { form->UserType(*box, text); });
        }
        break;
      case 3:
      case 4:
      case 5:
        if (!clickable.empty()) {
          core::Control* c = clickable[in.pick(clickable.size())];
          // "Done!" only now and then, or nothing after it would be explored.
          if (c->text() == "Done!" || c->text() == "DONE!!") {
            if (in.pick(16) != 0) break;
          }
          timed("clicking " + c->id(), [&] { form->UserClick(*c); });
        }
        break;
      case 6:
        if (!lists.empty()) {
          core::ListBox* list = lists[in.pick(lists.size())];
          if (!list->items().empty()) {
            const int item = static_cast<int>(in.pick(list->items().size()));
            timed("choosing item " + std::to_string(item) + " of " + list->id(),
                  [&] { form->UserSelect(*list, item); });
          }
        }
        break;
      default:
        if (in.pick(32) == 0) timed("closing", [&] { form->UserClose(); });
        break;
    }
  }
  form->SetObserver(nullptr);
  CheckFolder();
}

}  // namespace fuzz
