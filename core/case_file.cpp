#include "core/case_file.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "core/printline.h"

#ifndef CALC_VERSION
#define CALC_VERSION "0"
#endif

namespace core {

std::string SuiteVersion() { return CALC_VERSION; }

namespace {

// ------------------------------------------------------------ the lines

// One action as a line of the script mode's language.
struct CaseLine {
  char verb;         // 't' type, 'c' click, 's' select, 'u' units
  std::string id;    // the control (units: empty)
  std::string text;  // typed text, item text, or the unit system's word
};

const char* VerbWord(char verb) {
  switch (verb) {
    case 't': return "type";
    case 'c': return "click";
    case 's': return "select";
    default: return "units";
  }
}

bool IsControlByte(unsigned char c) { return c < 0x20 || c == 0x7f; }

// The user's actions of a window as lines: the system it started in first
// (a window opens in US customary), Load and Close left out.
std::vector<CaseLine> LinesOf(const Form& form) {
  const std::vector<UserAction>& actions = form.actions();
  size_t count = actions.size();
  // The action that ended the window is not kept: opening the case would
  // close the window it opens.
  if (form.ended() && count > 0) --count;
  std::vector<CaseLine> lines;
  for (size_t i = 0; i < count; ++i) {
    const UserAction& a = actions[i];
    switch (a.type) {
      case UserAction::Type::Load:
      case UserAction::Type::Close: break;
      case UserAction::Type::Units: lines.push_back({'u', "", a.text}); break;
      case UserAction::Type::Click: lines.push_back({'c', a.id, ""}); break;
      case UserAction::Type::Type:
        for (char c : a.text)
          if (IsControlByte(static_cast<unsigned char>(c)) && c != '\t')
            throw Failure("The case cannot be saved: the text typed into " + a.id +
                          " holds a line break or a control character");
        lines.push_back({'t', a.id, a.text});
        break;
      case UserAction::Type::Select:
        // Choosing no item at all is no choice a person makes (a list
        // always shows one once chosen): nothing to write.
        if (a.index >= 0) lines.push_back({'s', a.id, a.text});
        break;
    }
  }
  if (lines.empty() || lines.front().verb != 'u') lines.insert(lines.begin(), {'u', "", "us"});
  return lines;
}

std::string HeaderLine(std::string_view program, std::string_view units) {
  std::string header(kCaseMark);
  header += "program ";
  header += program;
  header += ", version " + SuiteVersion() + ", units ";
  header += units;
  return header;
}

std::string TextOf(std::string_view program, UnitSystem units, const std::vector<CaseLine>& lines) {
  std::string text = HeaderLine(program, UnitSystemWord(units)) + "\n";
  for (const CaseLine& line : lines) {
    text += VerbWord(line.verb);
    if (line.verb == 'u') {
      text += " " + line.text;
    } else {
      text += " " + line.id;
      if (line.verb != 'c') text += " " + line.text;
    }
    text += "\n";
  }
  return text;
}

// ------------------------------------------------------------ the bytes

std::string At(size_t line, const std::string& why) { return "Line " + std::to_string(line) + ": " + why; }

// The length of the UTF-8 sequence at text[i], or 0 when it is not one
// (overlong forms, surrogates and code points past U+10FFFF included).
size_t Utf8Length(std::string_view text, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char c = byte(i);
  if (c < 0x80) return 1;
  size_t n;
  std::uint32_t cp;
  if (c >= 0xc2 && c <= 0xdf) n = 2, cp = c & 0x1f;
  else if (c >= 0xe0 && c <= 0xef) n = 3, cp = c & 0x0f;
  else if (c >= 0xf0 && c <= 0xf4) n = 4, cp = c & 0x07;
  else return 0;
  if (i + n > text.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xc0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i + k) & 0x3f);
  }
  if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10ffff))) return 0;
  if (cp >= 0xd800 && cp <= 0xdfff) return 0;
  return n;
}

// Why the bytes cannot be a case, naming the line; nothing when they can.
std::optional<std::string> CheckBytes(std::string_view text) {
  size_t line = 1;
  for (size_t i = 0; i < text.size();) {
    if (i >= kMaxCaseBytes) return At(line, "the case is larger than 1 MB; no window's actions come near that");
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      ++line;
      ++i;
      continue;
    }
    if (c == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') {
        ++i;
        continue;
      }
      return At(line, "a carriage return inside the line: the file is not text of lines");
    }
    if (c == 0) return At(line, "a NUL byte: this is a binary file, not a case");
    if (IsControlByte(c) && c != '\t') {
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%02X", c);
      return At(line, std::string("a control character (") + hex + "): this is not a text file");
    }
    const size_t n = Utf8Length(text, i);
    if (n == 0) return At(line, "bytes that are not UTF-8 text");
    i += n;
  }
  return std::nullopt;
}

struct CaseHeader {
  std::string program, version, units;
};

// "# flow-calculators case: program NAME, version V, units us"
std::optional<CaseHeader> ReadHeader(std::string_view line) {
  if (line.substr(0, kCaseMark.size()) != kCaseMark) return std::nullopt;
  line.remove_prefix(kCaseMark.size());
  CaseHeader header;
  std::string* fields[] = {&header.program, &header.version, &header.units};
  const char* keys[] = {"program ", "version ", "units "};
  for (int f = 0; f < 3; ++f) {
    const std::string_view key = keys[f];
    if (line.substr(0, key.size()) != key) return std::nullopt;
    line.remove_prefix(key.size());
    size_t end = f < 2 ? line.find(", ") : line.size();
    if (end == std::string_view::npos) return std::nullopt;
    *fields[f] = std::string(line.substr(0, end));
    if (fields[f]->empty() || fields[f]->find(' ') != std::string::npos) return std::nullopt;
    line.remove_prefix(f < 2 ? end + 2 : end);
  }
  return header;
}

size_t CodePoints(std::string_view text) {
  size_t n = 0;
  for (char c : text)
    if ((static_cast<unsigned char>(c) & 0xc0) != 0x80) ++n;
  return n;
}

// A text of the file as a message quotes it: a line may be as long as the
// file, a message box is not; cut on a character's first byte.
std::string Shortened(std::string_view text) {
  constexpr size_t kLongest = 60;
  if (text.size() <= kLongest) return std::string(text);
  size_t cut = kLongest;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xc0) == 0x80) --cut;
  return std::string(text.substr(0, cut)) + "…";
}

std::string Quoted(std::string_view text) { return "\"" + Shortened(text) + "\""; }

// Carries out one line of a case on window; why it cannot, or nothing.
std::optional<std::string> Apply(Form& window, std::string_view line) {
  const size_t blank = line.find(' ');
  const std::string_view verb = line.substr(0, blank);
  const bool hasArgs = blank != std::string_view::npos;
  const std::string_view args = hasArgs ? line.substr(blank + 1) : std::string_view{};
  // NAME, then everything after the one blank that follows it.
  const size_t split = args.find(' ');
  const bool hasRest = split != std::string_view::npos;
  const std::string_view name = args.substr(0, split);
  const std::string_view rest = hasRest ? args.substr(split + 1) : std::string_view{};

  if (verb == "units") {
    const auto system = UnitSystemNamed(args);
    if (!system) return "\"units\" takes us or si";
    window.UserUnits(*system);
    return std::nullopt;
  }
  if (verb == "close" || verb == "show" || verb == "dump" || verb == "sweep" || verb == "chart")
    return "a case only types, clicks, selects and chooses units; " + Quoted(verb) +
           " has no place in one";
  if (verb != "type" && verb != "click" && verb != "select") return "unknown command " + Quoted(verb);
  if (name.empty()) return Quoted(verb) + " needs a control name";
  Control* control = window.FindById(name);
  if (!control) return "this window has no control named " + Quoted(name);
  const auto misfit = [&] {
    return Quoted(verb) + " does not fit " + control->id() + ", a " + KindName(control->kind());
  };
  if (verb == "type") {
    if (control->kind() != Kind::TextBox) return misfit();
    auto& box = static_cast<TextBox&>(*control);
    if (box.readOnly) return box.id() + " shows a result; nothing can be typed into it";
    if (CodePoints(rest) > kMaxTypedChars)
      return "the text is longer than a box takes (" + std::to_string(kMaxTypedChars) + " characters)";
    window.UserType(box, std::string(rest));
  } else if (verb == "click") {
    if (hasRest) return "\"click\" takes only a control name";
    if (control->kind() != Kind::Button && control->kind() != Kind::Option) return misfit();
    window.UserClick(*control);
  } else {
    if (!hasRest) return "\"select\" needs an item text";
    if (control->kind() != Kind::List) return misfit();
    auto& list = static_cast<ListBox&>(*control);
    const int found = list.IndexOf(rest);
    if (found < 0) return "list " + list.id() + " holds no item " + Quoted(rest);
    window.UserSelect(list, found);
  }
  if (window.ended()) return "this ends the program; a case cannot close its window";
  return std::nullopt;
}

// The case replayed on a fresh window, still a copy (nothing written, nothing
// started), or why it cannot be.
OpenedCase Replay(std::string_view text, std::string_view program, const FormFactory& make) {
  if (auto bad = CheckBytes(text)) return {nullptr, *bad};
  // A byte order mark some editors put first.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  const std::vector<std::string_view> lines = TextLines(text);
  if (lines.empty() || !ReadHeader(lines[0])) {
    return {nullptr, At(1, "not a case of these calculators (a case begins with " +
                               Quoted(std::string(kCaseMark) + "program ...") + ")")};
  }
  const CaseHeader header = *ReadHeader(lines[0]);
  if (header.program != program)
    return {nullptr, At(1, "this case is for " + Shortened(header.program) + ", not for " + std::string(program))};
  if (!UnitSystemNamed(header.units) || header.units != UnitSystemWord(*UnitSystemNamed(header.units)))
    return {nullptr, At(1, "the unit system must be us or si, not " + Quoted(header.units))};

  std::unique_ptr<Form> window = make();
  window->MakeCopy();
  window->Load();
  if (window->ended()) return {nullptr, At(1, "the window ends as it opens")};
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == '#') continue;
    if (auto bad = Apply(*window, line)) return {nullptr, At(i + 1, *bad)};
  }
  return {std::move(window), ""};
}

// ------------------------------------------------------------ the address

std::uint32_t Crc32(std::string_view bytes) {
  std::uint32_t crc = 0xffffffffu;
  for (char b : bytes) {
    crc ^= static_cast<unsigned char>(b);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

std::string Hex8(std::uint32_t value) {
  char out[9];
  std::snprintf(out, sizeof out, "%08x", value);
  return out;
}

// Characters that stand for themselves in a fragment field; a blank is '+'.
bool Plain(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         std::string_view("-._~()!*,:@/").find(static_cast<char>(c)) != std::string_view::npos;
}

std::string Encode(std::string_view text) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (Plain(c)) {
      out += ch;
    } else if (c == ' ') {
      out += '+';
    } else {
      out += '%';
      out += digits[c >> 4];
      out += digits[c & 15];
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> Decode(std::string_view field) {
  std::string out;
  for (size_t i = 0; i < field.size(); ++i) {
    const char c = field[i];
    if (c == '+') {
      out += ' ';
    } else if (c == '%') {
      if (i + 2 >= field.size()) return std::nullopt;
      const int hi = HexDigit(field[i + 1]), lo = HexDigit(field[i + 2]);
      if (hi < 0 || lo < 0) return std::nullopt;
      out += static_cast<char>(hi * 16 + lo);
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string CaseText(const Form& form, std::string_view program) {
  return TextOf(program, form.units(), LinesOf(form));
}

std::string WriteCaseFile(const Form& form, std::string_view program, const std::string& path) {
  std::string text;
  try {
    text = CaseText(form, program);
  } catch (const Failure& f) {
    return f.what();
  }
  // Written beside, then renamed over the name: a reader never sees half.
  const std::string part = path + ".part";
  std::FILE* out = std::fopen(part.c_str(), "wb");
  if (!out) return "cannot write the case " + path;
  const bool whole = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  if (std::fclose(out) != 0 || !whole || std::rename(part.c_str(), path.c_str()) != 0) {
    std::remove(part.c_str());
    return "cannot write the case " + path;
  }
  return "";
}

std::string CaseProgram(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  const size_t end = text.find('\n');
  std::string_view first = text.substr(0, end);
  if (!first.empty() && first.back() == '\r') first.remove_suffix(1);
  const auto header = ReadHeader(first);
  return header ? header->program : std::string();
}

CaseRead ReadCase(std::string_view text, std::string_view program, const FormFactory& make) {
  OpenedCase opened = Replay(text, program, make);
  if (!opened.ok()) return {{}, opened.error};
  return {opened.window->actions(), ""};
}

OpenedCase OpenCase(std::string_view text, std::string_view program, const FormFactory& make) {
  OpenedCase opened = Replay(text, program, make);
  if (opened.window) opened.window->EndCopy();
  return opened;
}

std::string FragmentOf(const Form& form, std::string_view program) {
  std::string body = "case=" + Encode(program);
  for (const CaseLine& line : LinesOf(form)) {
    body += ';';
    body += line.verb;
    body += '.';
    if (line.verb == 'u') {
      body += line.text;
    } else {
      body += Encode(line.id);
      if (line.verb != 'c') body += "=" + Encode(line.text);
    }
  }
  return body + ";k=" + Hex8(Crc32(body));
}

FragmentRead CaseOfFragment(std::string_view fragment, std::string_view program) {
  if (!fragment.empty() && fragment.front() == '#') fragment.remove_prefix(1);
  const auto fail = [](const std::string& why) { return FragmentRead{"", "The address " + why}; };
  if (fragment.substr(0, 5) != "case=") return fail("holds no case");
  const size_t check = fragment.rfind(";k=");
  if (check == std::string_view::npos) return fail("was cut: the end of the case is missing");
  const std::string_view body = fragment.substr(0, check);
  const std::string_view sum = fragment.substr(check + 3);
  if (sum.size() != 8 || Hex8(Crc32(body)) != sum)
    return fail("was cut or changed: the case it holds does not match its check");

  std::vector<std::string_view> parts;
  for (size_t start = 0;;) {
    const size_t end = body.find(';', start);
    parts.push_back(body.substr(start, end == std::string_view::npos ? body.npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  const auto named = Decode(parts[0].substr(5));
  if (!named || *named != program)
    return fail("holds a case for " + (named ? Shortened(*named) : "another program") + ", not for " +
                std::string(program));
  std::vector<CaseLine> lines;
  std::string units = "us";
  for (size_t i = 1; i < parts.size(); ++i) {
    const std::string_view part = parts[i];
    const std::string step = "step " + std::to_string(i) + " ";
    if (part.size() < 3 || part[1] != '.' || std::string_view("tcsu").find(part[0]) == std::string_view::npos)
      return fail(step + "is not an action");
    const std::string_view rest = part.substr(2);
    CaseLine line{part[0], "", ""};
    if (line.verb == 'u') {
      if (rest != "us" && rest != "si") return fail(step + "names no unit system");
      line.text = units = std::string(rest);
    } else {
      const size_t eq = rest.find('=');
      if ((line.verb == 'c') != (eq == std::string_view::npos)) return fail(step + "is not an action");
      const auto id = Decode(rest.substr(0, eq));
      const auto text = line.verb == 'c' ? std::optional<std::string>("") : Decode(rest.substr(eq + 1));
      if (!id || !text || id->empty()) return fail(step + "is not an action");
      for (char c : *id + *text)
        if (IsControlByte(static_cast<unsigned char>(c)) && c != '\t')
          return fail(step + "holds a control character");
      line.id = *id;
      line.text = *text;
    }
    lines.push_back(std::move(line));
  }
  return {TextOf(program, *UnitSystemNamed(units), lines), ""};
}

}  // namespace core
