#include "core/actions.h"

#include "core/failure.h"

namespace core {

namespace {

void Put(std::string& out, std::string_view text) {
  out += std::to_string(text.size());
  out += ':';
  out += text;
}

// Reads the fields of one encoding in turn, naming the action and field a
// fault is found in.
class Reader {
 public:
  explicit Reader(std::string_view in) : in_(in) {}

  bool done() const { return in_.empty(); }
  void NextAction() { ++action_; }

  std::string Text(const char* field) {
    const size_t colon = in_.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 9) Fail(field, "has no length");
    size_t size = 0;
    for (size_t i = 0; i < colon; ++i) {
      if (in_[i] < '0' || in_[i] > '9') Fail(field, "has no length");
      size = size * 10 + static_cast<size_t>(in_[i] - '0');
    }
    if (in_.size() - colon - 1 < size) Fail(field, "is cut short");
    std::string text(in_.substr(colon + 1, size));
    in_.remove_prefix(colon + 1 + size);
    return text;
  }

  int Number(const char* field) {
    const std::string text = Text(field);
    const bool negative = !text.empty() && text[0] == '-';
    if (text.size() == (negative ? 1u : 0u) || text.size() > 9) Fail(field, "is not a number");
    int value = 0;
    for (size_t i = negative ? 1 : 0; i < text.size(); ++i) {
      if (text[i] < '0' || text[i] > '9') Fail(field, "is not a number");
      value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
  }

  [[noreturn]] void Fail(const char* field, const std::string& what) const {
    throw Failure("action " + std::to_string(action_) + ": the " + field + " " + what);
  }

 private:
  std::string_view in_;
  int action_ = 0;
};

}  // namespace

std::string EncodeActions(const std::vector<UserAction>& actions) {
  std::string out;
  for (const UserAction& a : actions) {
    Put(out, std::to_string(static_cast<int>(a.type)));
    Put(out, a.id);
    Put(out, a.text);
    Put(out, std::to_string(a.index));
    Put(out, std::to_string(a.effects.size()));
    for (const std::string& e : a.effects) Put(out, e);
  }
  return out;
}

std::vector<UserAction> DecodeActions(std::string_view encoded) {
  std::vector<UserAction> actions;
  Reader in(encoded);
  while (!in.done()) {
    in.NextAction();
    UserAction a;
    const int type = in.Number("type");
    if (type < 0 || type > static_cast<int>(UserAction::Type::Units))
      in.Fail("type", std::to_string(type) + " is no action");
    a.type = static_cast<UserAction::Type>(type);
    a.id = in.Text("control");
    a.text = in.Text("text");
    a.index = in.Number("item");
    const int effects = in.Number("count of effects");
    if (effects < 0) in.Fail("count of effects", "is below zero");
    for (int i = 0; i < effects; ++i) a.effects.push_back(in.Text("effect"));
    actions.push_back(std::move(a));
  }
  return actions;
}

}  // namespace core
