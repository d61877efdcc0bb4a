#include "core/form.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "core/chart_units.h"
#include "core/files.h"
#include "core/numtext.h"
#include "core/printline.h"

namespace core {

namespace {

// Thrown by End(): unwinds every handler up to the event boundary.
struct EndProgram {};

// Handlers may call each other through Change and Click; a window whose
// handlers kept raising each other would never return.
constexpr int kMaxEventDepth = 100;

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::Label: return "label";
    case Kind::TextBox: return "textbox";
    case Kind::Frame: return "frame";
    case Kind::Button: return "button";
    case Kind::Option: return "option";
    case Kind::List: return "list";
    case Kind::Picture: return "picture";
  }
  return "?";
}

// ---------------------------------------------------------------- Control

Control::Control(Form* form, Kind kind, std::string name, int index, Frame* parent, Rect r)
    : rect(r), form_(form), kind_(kind), name_(std::move(name)), index_(index), parent_(parent) {}

std::string Control::id() const {
  if (index_ < 0) return name_;
  return name_ + "(" + std::to_string(index_) + ")";
}

void Control::setVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  changed();
}

bool Control::shown() const {
  for (const Control* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void Control::changed() { form_->Notify(*this); }

namespace {

std::string InSystem(const Control::Measured& m, const std::string& us, UnitSystem to) {
  if (to == UnitSystem::US) return us;
  return m.value ? ValueText(us, m.unit, to, m.usValue) : CaptionText(us, m.unit, to);
}

}  // namespace

bool Control::WriteUS(std::string text, std::optional<double> usValue) {
  if (!measured_) {
    if (text == text_) return false;
    text_ = std::move(text);
    return true;
  }
  Measured& m = *measured_;
  if (!m.typedSI && text == m.us && usValue == m.usValue) return false;
  const bool same = !m.typedSI && text == m.us;
  m.us = std::move(text);
  m.usValue = usValue;
  m.typedSI = false;
  m.si = InSystem(m, m.us, UnitSystem::SI);
  ShowUnits();
  return !same;
}

bool Control::ShowUnits() {
  if (!measured_) return false;
  std::string& shown = form_->units() == UnitSystem::SI ? measured_->si : measured_->us;
  if (shown == text_) return false;
  text_ = shown;
  return true;
}

void Label::setCaption(std::string caption, std::optional<double> usValue) {
  const std::string before = text_;
  WriteUS(std::move(caption), usValue);
  if (text_ != before) changed();
}

void Frame::setCaption(std::string caption) {
  const std::string before = text_;
  WriteUS(std::move(caption), std::nullopt);
  if (text_ != before) changed();
}

void TextBox::setText(std::string text, std::optional<double> usValue) {
  const std::string before = text_;
  if (!WriteUS(std::move(text), usValue)) {
    if (text_ != before) changed();
    return;
  }
  changed();
  if (Change) form().Raise(Change);
}

void TextBox::Typed(std::string text) {
  if (!measured_ || form().units() == UnitSystem::US) {
    setText(std::move(text));
    return;
  }
  // In SI: the text typed is the one read, converted; its US reading is
  // what the US view shows.
  if (text == text_) return;
  Measured& m = *measured_;
  m.si = std::move(text);
  m.typedSI = true;
  m.usValue.reset();
  m.us = ValueText(m.si, m.unit, UnitSystem::US);
  text_ = m.si;
  changed();
  if (Change) form().Raise(Change);
}

void Option::setValue(bool value) {
  if (value == value_) return;
  value_ = value;
  changed();
  if (!value) return;
  for (Control* sibling : form().Children(parent())) {
    if (sibling != this && sibling->kind() == Kind::Option) {
      auto* other = static_cast<Option*>(sibling);
      if (other->value_) {
        other->value_ = false;
        other->changed();
      }
    }
  }
  if (Click) form().Raise(Click);
}

void ListBox::setListIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size()))
    throw Failure("list " + id() + " has no item " + std::to_string(index));
  if (index == listIndex_) return;
  listIndex_ = index;
  changed();
  if (Click) form().Raise(Click);
}

int ListBox::IndexOf(std::string_view text) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (SameIgnoringCase(items_[i], text)) return static_cast<int>(i);
  return -1;
}

bool ListBox::setText(std::string_view text) {
  int index = IndexOf(text);
  if (index < 0) return false;
  setListIndex(index);
  return true;
}

const std::string& ListBox::text() const {
  static const std::string none;
  return listIndex_ < 0 ? none : items_[listIndex_];
}

// ---------------------------------------------------------------- Form

Form::Form(std::string caption, int width, int height)
    : caption_(std::move(caption)), width_(width), height_(height) {
  lblError = AddLabel("lblError", "", {8, height, width - 16, 22}, nullptr, Look::Warning);
  lblError->setVisible(false);
  startFolder_ = WorkingFolder();
}

Form::~Form() = default;

void Form::SetSize(int width, int height) {
  width_ = width;
  height_ = height;
  lblError->rect = {8, height, width - 16, 22};
}

template <class T>
T* Form::Add(Kind kind, std::string name, int index, Frame* in, Rect r) {
  auto* control = new T(this, kind, std::move(name), index, in, r);
  controls_.emplace_back(control);
  return control;
}

Label* Form::AddLabel(std::string name, std::string caption, Rect r, Frame* in, Look look,
                      int index) {
  auto* label = Add<Label>(Kind::Label, std::move(name), index, in, r);
  label->text_ = std::move(caption);
  label->look = look;
  if (look == Look::Result || look == Look::Heading || look == Look::Title)
    label->align = Align::Center;
  label->border = false;
  return label;
}

std::vector<Label*> Form::AddLabelArray(std::string name, int count, std::string caption,
                                        Rect first, int dy, Frame* in, Look look) {
  std::vector<Label*> labels;
  for (int i = 0; i < count; ++i) {
    Rect r = first;
    r.y += i * dy;
    labels.push_back(AddLabel(name, caption, r, in, look, i));
  }
  return labels;
}

TextBox* Form::AddTextBox(std::string name, Rect r, Frame* in, int index) {
  return Add<TextBox>(Kind::TextBox, std::move(name), index, in, r);
}

Frame* Form::AddFrame(std::string name, std::string caption, Rect r, Frame* in, bool border) {
  auto* frame = Add<Frame>(Kind::Frame, std::move(name), -1, in, r);
  frame->text_ = std::move(caption);
  frame->border = border;
  return frame;
}

Button* Form::AddButton(std::string name, std::string caption, Rect r, Frame* in, Look look) {
  auto* button = Add<Button>(Kind::Button, std::move(name), -1, in, r);
  button->text_ = std::move(caption);
  button->look = look;
  return button;
}

Option* Form::AddOption(std::string name, std::string caption, Rect r, Frame* in) {
  auto* option = Add<Option>(Kind::Option, std::move(name), -1, in, r);
  option->text_ = std::move(caption);
  return option;
}

ListBox* Form::AddList(std::string name, std::vector<std::string> items, Rect r, Frame* in) {
  auto* list = Add<ListBox>(Kind::List, std::move(name), -1, in, r);
  list->items_ = std::move(items);
  return list;
}

Picture* Form::AddPicture(std::string name, std::string svg, Rect r, Frame* in) {
  auto* picture = Add<Picture>(Kind::Picture, std::move(name), -1, in, r);
  picture->svg = std::move(svg);
  return picture;
}

Control* Form::Find(std::string_view name, int index) const {
  for (const auto& c : controls_)
    if (c->name() == name && c->index() == index) return c.get();
  return nullptr;
}

Control* Form::FindById(std::string_view id) const {
  int index = -1;
  std::string_view name = id;
  if (!id.empty() && id.back() == ')') {
    size_t open = id.find('(');
    if (open == std::string_view::npos || open == 0) return nullptr;
    std::string_view digits = id.substr(open + 1, id.size() - open - 2);
    if (digits.empty() || digits.size() > 6) return nullptr;
    index = 0;
    for (char ch : digits) {
      if (ch < '0' || ch > '9') return nullptr;
      index = index * 10 + (ch - '0');
    }
    name = id.substr(0, open);
  }
  return Find(name, index);
}

std::vector<Control*> Form::Children(const Frame* in) const {
  std::vector<Control*> children;
  for (const auto& c : controls_)
    if (c->parent() == in) children.push_back(c.get());
  return children;
}

bool Form::Inside(const Control& control, const Frame* frame) {
  for (const Frame* f = control.parent(); f; f = f->parent())
    if (f == frame) return true;
  return frame == nullptr;
}

Button* Form::ComputeFor(const Control& input) const {
  if (input.kind() != Kind::TextBox && input.kind() != Kind::List) return nullptr;
  for (const Frame* in = input.parent();; in = in->parent()) {
    for (const auto& c : controls_) {
      const bool compute = c->look == Look::Compute || c->text() == "Compute" ||
                           c->text() == "Calculate";
      if (c->kind() == Kind::Button && compute && c->shown() && Inside(*c, in))
        return static_cast<Button*>(c.get());
    }
    if (!in) return nullptr;
  }
}

Rect AbsoluteRect(const Control& control) {
  Rect r = control.rect;
  for (const Frame* f = control.parent(); f; f = f->parent()) {
    r.x += f->rect.x;
    r.y += f->rect.y;
  }
  return r;
}

std::string Form::TableText(const Frame* frame) const {
  struct Cell {
    Rect r;
    std::string text;
    bool heading;
  };
  std::vector<Cell> cells;
  for (const auto& c : controls_) {
    if (!Inside(*c, frame) || !c->shown()) continue;
    if (c->kind() != Kind::Label && c->kind() != Kind::TextBox) continue;
    if (c->text().empty()) continue;
    cells.push_back({AbsoluteRect(*c), c->text(), c->look == Look::Heading});
  }
  // A heading set on top of another one ("ρ*/ρ=" over "V/V*") is the first
  // line of that column's heading, not a row of its own.
  for (size_t i = 0; i < cells.size(); ++i) {
    const Rect a = cells[i].r;
    if (!cells[i].heading) continue;
    for (Cell& below : cells) {
      const Rect b = below.r;
      const int shared = std::min(a.x + a.w, b.x + b.w) - std::max(a.x, b.x);
      if (&below == &cells[i] || !below.heading || b.y <= a.y || b.y > a.y + a.h + 6 ||
          2 * shared < std::min(a.w, b.w))
        continue;
      below.text = cells[i].text + " " + below.text;
      cells[i].text.clear();
      break;
    }
  }
  std::erase_if(cells, [](const Cell& cell) { return cell.text.empty(); });
  // Cells whose vertical centres lie within half a row of each other share a row.
  std::stable_sort(cells.begin(), cells.end(),
                   [](const Cell& a, const Cell& b) { return a.r.y + a.r.h / 2 < b.r.y + b.r.h / 2; });
  std::vector<std::vector<Cell>> rows;
  int centre = 0;
  for (const Cell& cell : cells) {
    const int mid = cell.r.y + cell.r.h / 2;
    if (rows.empty() || mid - centre > 10) {
      rows.emplace_back();
      centre = mid;
    }
    rows.back().push_back(cell);
  }
  std::string text;
  for (auto& row : rows) {
    std::stable_sort(row.begin(), row.end(), [](const Cell& a, const Cell& b) { return a.r.x < b.r.x; });
    for (size_t i = 0; i < row.size(); ++i) {
      if (i) text += '\t';
      text += row[i].text;
    }
    text += '\n';
  }
  return text;
}

Frame* Form::ResultFrameOf(const Control& control) const {
  const std::vector<Frame*> frames = ResultFrames();
  for (const Control* c = &control; c; c = c->parent()) {
    for (Frame* f : frames)
      if (f == c) return f;
  }
  return nullptr;
}

std::vector<Frame*> Form::ResultFrames() const {
  std::vector<Frame*> frames;
  for (const auto& c : controls_) {
    if (c->kind() != Kind::Frame) continue;
    auto* frame = static_cast<Frame*>(c.get());
    bool results = false;
    for (const auto& inner : controls_)
      if (Inside(*inner, frame) &&
          (inner->look == Look::Result ||
           (inner->kind() == Kind::TextBox && static_cast<TextBox&>(*inner).readOnly)))
        results = true;
    if (results) frames.push_back(frame);
  }
  return frames;
}

namespace {

bool IsResult(const Control& c) {
  return c.look == Look::Result ||
         (c.kind() == Kind::TextBox && static_cast<const TextBox&>(c).readOnly);
}

}  // namespace

void Form::Notify(Control& control) {
  if (IsResult(control)) touched_.push_back(&control);
  if (observer_) observer_->ControlChanged(control);
}

void Form::BlankFailedResults() {
  // What the handler said it writes, and every result of a frame of results
  // it began to rewrite: a table is wholly new or wholly blank.
  std::vector<Control*> blank = pending_;
  std::vector<const Frame*> frames;
  for (Control* c : touched_) {
    if (const Frame* f = ResultFrameOf(*c)) {
      if (std::find(frames.begin(), frames.end(), f) == frames.end()) frames.push_back(f);
    } else {
      blank.push_back(c);
    }
  }
  for (const auto& c : controls_)
    for (const Frame* f : frames)
      if (IsResult(*c) && Inside(*c, f)) blank.push_back(c.get());
  for (Control* c : blank) {
    if (c->text_.empty()) continue;
    c->WriteUS("", std::nullopt);  // a program write, not the user's: no Change
    c->changed();
  }
}

void Form::Raise(const std::function<void()>& handler) {
  if (depth_ >= kMaxEventDepth) throw Failure("the window's events keep raising each other");
  ++depth_;
  try {
    handler();
  } catch (...) {
    --depth_;
    throw;
  }
  --depth_;
}

void Form::Boundary(UserAction record, const std::function<void()>& action) {
  if (ended_) return;
  actions_.push_back(std::move(record));
  running_ = actions_.size() - 1;
  depth_ = 0;
  pending_.clear();
  touched_.clear();
  std::string failure;
  try {
    action();
  } catch (const EndProgram&) {
    running_ = kNone;
    ended_ = true;
    if (observer_) observer_->ProgramEnded();
    return;
  } catch (const Failure& f) {
    failure = f.what();
  } catch (const std::exception& e) {
    failure = std::string("Cannot compute: ") + e.what();
  }
  if (!failure.empty()) {
    BlankFailedResults();
    lastFailed_ = running_;
    lastFailure_ = failure;
  }
  pending_.clear();
  touched_.clear();
  running_ = kNone;
  if (failure.empty()) {
    lblError->setVisible(false);
    lblError->setCaption("");
  } else {
    lblError->setCaption(failure);
    lblError->setVisible(true);
  }
  Changed();
}

ChartData Form::ShownChart(const std::string& name) const {
  return ChartInUnits(Chart(name), units_);
}

ChartData Form::Chart(const std::string& name) const {
  return Unavailable(name, name, "This window has no chart \"" + name + "\"");
}

int Form::Listen(std::function<void()> changed) {
  listeners_.emplace_back(++nextListener_, std::move(changed));
  return nextListener_;
}

void Form::Unlisten(int key) {
  std::erase_if(listeners_, [key](const auto& l) { return l.first == key; });
}

void Form::NoteSweep(SweepTrace trace) {
  lastSweep_ = std::move(trace);
  Changed();
}

void Form::Changed() {
  // A listener may unlisten itself: call a copy.
  auto listeners = listeners_;
  for (auto& [key, changed] : listeners) changed();
}

namespace {

UserAction Action(UserAction::Type type, const Control* control = nullptr) {
  UserAction action;
  action.type = type;
  if (control) action.id = control->id();
  return action;
}

}  // namespace

void Form::Load() {
  Boundary(Action(UserAction::Type::Load), [this] { Form_Load(); });
}

void Form::UserType(TextBox& box, std::string text) {
  UserAction action = Action(UserAction::Type::Type, &box);
  action.text = text;
  Boundary(std::move(action), [&] { box.Typed(std::move(text)); });
}

void Form::UserUnits(UnitSystem system) {
  if (ended_) return;
  UserAction action = Action(UserAction::Type::Units);
  action.text = UnitSystemWord(system);
  actions_.push_back(std::move(action));
  if (system == units_) return;
  units_ = system;
  for (const auto& c : controls_)
    if (c->ShowUnits()) Notify(*c);
  // Only what is shown changes: no handler runs, and lblError stays.
  touched_.clear();
  Changed();
}

// The caption rule is the reading's (core/reading.h).
const Control* CaptionControl(const Form& form, const Control& control);

void Form::Declare(std::string_view name, Quantity quantity, std::string_view usUnit,
                   bool value) {
  bool found = false;
  for (const auto& c : controls_) {
    if (c->name() != name) continue;
    found = true;
    auto m = std::make_unique<Control::Measured>();
    m->unit = UnitOf(quantity, usUnit);
    m->value = value;
    m->us = c->text_;
    m->si = InSystem(*m, m->us, UnitSystem::SI);
    c->measured_ = std::move(m);
    c->ShowUnits();
    // A box's caption names the unit of its values: declared with them.
    if (c->kind() == Kind::Label && !value) continue;
    Control* caption = const_cast<Control*>(CaptionControl(*this, *c));
    if (caption && !caption->measured_ && caption->kind() != Kind::TextBox &&
        FindUnitWord(caption->text_, c->measured_->unit.us) != std::string::npos) {
      auto named = std::make_unique<Control::Measured>(*c->measured_);
      named->value = false;
      named->us = caption->text_;
      named->usValue.reset();
      named->si = InSystem(*named, named->us, UnitSystem::SI);
      caption->measured_ = std::move(named);
      caption->ShowUnits();
    }
  }
  if (!found) throw std::logic_error("no control " + std::string(name) + " to measure");
}

void Form::Measure(std::string_view name, Quantity quantity, std::string_view usUnit) {
  // The first of that name (an array's elements are all of a kind).
  const auto first = std::find_if(controls_.begin(), controls_.end(),
                                  [&](const auto& c) { return c->name() == name; });
  const bool value = first != controls_.end() &&
                     ((*first)->kind() == Kind::TextBox ||
                      ((*first)->kind() == Kind::Label && (*first)->look == Look::Result));
  Declare(name, quantity, usUnit, value);
}

void Form::MeasureValue(std::string_view name, Quantity quantity, std::string_view usUnit) {
  Declare(name, quantity, usUnit, true);
}

void Form::UserClick(Control& control) {
  Boundary(Action(UserAction::Type::Click, &control), [&] {
    if (control.kind() == Kind::Button) {
      auto& button = static_cast<Button&>(control);
      if (button.Click) Raise(button.Click);
    } else if (control.kind() == Kind::Option) {
      static_cast<Option&>(control).setValue(true);
    }
  });
}

void Form::UserSelect(ListBox& list, int index) {
  UserAction action = Action(UserAction::Type::Select, &list);
  action.index = index;
  // The item by its text too: a list may hold other items when a case of
  // this window is opened again.
  if (index >= 0 && static_cast<size_t>(index) < list.items().size())
    action.text = list.items()[static_cast<size_t>(index)];
  Boundary(std::move(action), [&] { list.setListIndex(index); });
}

void Form::UserClose() {
  Boundary(Action(UserAction::Type::Close), [this] { End(); });
}

void Form::Replay(const std::vector<UserAction>& actions) {
  for (const UserAction& action : actions) {
    if (ended_) break;
    Control* control = nullptr;
    if (action.type == UserAction::Type::Type || action.type == UserAction::Type::Click ||
        action.type == UserAction::Type::Select) {
      control = FindById(action.id);
      if (!control) throw Failure("The window cannot be copied: it has no control " + action.id);
    }
    replayEffects_ = &action.effects;
    replayAt_ = 0;
    switch (action.type) {
      case UserAction::Type::Load: Load(); break;
      case UserAction::Type::Type:
        if (control->kind() != Kind::TextBox) throw Failure("The window cannot be copied");
        UserType(static_cast<TextBox&>(*control), action.text);
        break;
      case UserAction::Type::Click: UserClick(*control); break;
      case UserAction::Type::Select:
        if (control->kind() != Kind::List) throw Failure("The window cannot be copied");
        UserSelect(static_cast<ListBox&>(*control), action.index);
        break;
      case UserAction::Type::Close: UserClose(); break;
      case UserAction::Type::Units:
        UserUnits(action.text == "si" ? UnitSystem::SI : UnitSystem::US);
        break;
    }
    replayEffects_ = nullptr;
  }
}

void Form::NoteEffect(std::string failure) {
  if (running_ < actions_.size()) actions_[running_].effects.push_back(std::move(failure));
}

void Form::ReplayEffect() {
  if (!replayEffects_ || replayAt_ >= replayEffects_->size()) return;
  const std::string& failure = (*replayEffects_)[replayAt_++];
  if (!failure.empty()) throw Failure(failure);
}

void Form::End() { throw EndProgram{}; }

namespace {

// What a refused text is told, after the box's caption.
const char* Why(StrictFault fault) {
  switch (fault) {
    case StrictFault::Empty: return "is empty: type a number";
    case StrictFault::TooLarge: return "is too large";
    case StrictFault::TooSmall: return "is too small";
    case StrictFault::Comma: return "has a comma: type 2.5 with a point";
    default: return "does not hold a number";
  }
}

}  // namespace

std::pair<const std::string*, bool> Form::Reading(const TextBox* box) const {
  const Control::Measured* m = box->measured_.get();
  if (!m) return {&box->text_, false};
  return m->typedSI ? std::make_pair(&m->si, true) : std::make_pair(&m->us, false);
}

namespace {

float Single(const Form& form, const TextBox* box, const LeadingRead& read) {
  if (read.fault != StrictFault::None) form.Refuse(box, Why(read.fault));
  const float single = static_cast<float>(read.value);
  if (std::isinf(single))
    form.Refuse(box, Why(read.value > 0 ? StrictFault::TooLarge : StrictFault::TooSmall));
  return single;
}

// A reading of a text typed in SI, in the program's units: converted once,
// in double precision, before any rounding.
LeadingRead InUS(LeadingRead read, const TextBox* box, bool si) {
  if (si && read.fault == StrictFault::None) read.value = ToUS(box->unit()->quantity, read.value);
  return read;
}

}  // namespace

float Form::Strict(const TextBox* box) const {
  const auto [text, si] = Reading(box);
  if (si) {
    // The strict grammar, but read as a Double: the Single range applies
    // to the converted value, which is rounded once.
    const StrictFault fault = ClassifyStrict(*text);
    if (fault != StrictFault::None && fault != StrictFault::TooLarge &&
        fault != StrictFault::TooSmall)
      Refuse(box, Why(fault));
    return Single(*this, box, InUS(ReadLeading(*text), box, true));
  }
  if (auto value = ParseStrict(*text)) return *value;
  Refuse(box, Why(ClassifyStrict(*text)));
}

// The one caption rule is the reading's (core/reading.h), which includes this
// header and has an IsResult of its own.
std::string CaptionOf(const Form& form, const Control& control);

std::string Form::CaptionOf(const TextBox& box) const { return core::CaptionOf(*this, box); }

void Form::Refuse(const TextBox* box, const std::string& why) const {
  throw Failure(CaptionOf(*box) + " " + why);
}

void Form::Writes(std::initializer_list<Control*> results) {
  pending_.insert(pending_.end(), results.begin(), results.end());
}


double Form::Leading(const TextBox* box) const {
  const auto [text, si] = Reading(box);
  const LeadingRead read = InUS(ReadLeading(*text), box, si);
  if (read.fault != StrictFault::None) Refuse(box, Why(read.fault));
  return read.value;
}


float Form::LeadingSingle(const TextBox* box) const {
  const auto [text, si] = Reading(box);
  return Single(*this, box, InUS(ReadLeading(*text), box, si));
}

float Form::LeadingPartSingle(const TextBox* box) const {
  const auto [text, si] = Reading(box);
  return Single(*this, box, InUS(ReadLeadingPart(*text), box, si));
}

void Form::WritePrintFile(const std::string& name, const std::vector<std::string>& lines) {
  if (copy_) {
    ReplayEffect();
    return;
  }
  std::string bytes;
  for (const auto& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  const std::string failed = SaveFile(name, bytes, startFolder_);
  if (!failed.empty()) {
    const std::string message = "Cannot write the print file " + failed;
    NoteEffect(message);
    throw Failure(message);
  }
  written_.insert(name);
  NoteEffect("");
  if (observer_) observer_->FileWritten(name);
}

std::string Form::WriteNumberedPrintFile(std::string_view base, std::int16_t& counter,
                                         const std::vector<std::string>& lines) {
  // Bounded by the counter's 16-bit range. A copy writes nothing and looks
  // at no folder: its effects replay as they ended in the window.
  for (int n = counter + 1; n <= std::numeric_limits<std::int16_t>::max(); ++n) {
    std::string name = PrintFileName(base, n);
    if (!copy_ && !written_.count(name) && FileExists(name)) continue;
    WritePrintFile(name, lines);
    counter = static_cast<std::int16_t>(n);
    return name;
  }
  const std::string full = "No more print files in this run: the file counter is full";
  if (copy_) ReplayEffect();
  NoteEffect(full);
  throw Failure(full);
}

void Form::StartProgram(const std::string& program) {
  if (copy_) {
    ReplayEffect();
    return;
  }
  try {
    if (observer_) observer_->StartProgram(program);
  } catch (const Failure& f) {
    NoteEffect(f.what());
    throw;
  } catch (const std::exception& e) {
    NoteEffect(std::string("Cannot compute: ") + e.what());
    throw;
  }
  NoteEffect("");
}

// ---------------------------------------------------------------- texts

std::string Caption(std::string_view title, int blanks, std::string_view notice,
                    std::string_view date) {
  std::string caption(title);
  caption += " by QMX ";
  caption += date;
  caption.append(static_cast<size_t>(blanks), ' ');
  caption += notice;
  return caption;
}

std::string SymbolText(std::string_view latin) {
  // The Greek letter at the same place of the symbol character set.
  static const char* const lower[26] = {
      "α", "β", "χ", "δ", "ε", "φ", "γ", "η", "ι", "ϕ", "κ", "λ", "μ",
      "ν", "ο", "π", "θ", "ρ", "σ", "τ", "υ", "ϖ", "ω", "ξ", "ψ", "ζ"};
  static const char* const upper[26] = {
      "Α", "Β", "Χ", "Δ", "Ε", "Φ", "Γ", "Η", "Ι", "ϑ", "Κ", "Λ", "Μ",
      "Ν", "Ο", "Π", "Θ", "Ρ", "Σ", "Τ", "Υ", "ς", "Ω", "Ξ", "Ψ", "Ζ"};
  std::string greek;
  for (char ch : latin) {
    if (ch >= 'a' && ch <= 'z')
      greek += lower[ch - 'a'];
    else if (ch >= 'A' && ch <= 'Z')
      greek += upper[ch - 'A'];
    else
      greek += ch;
  }
  return greek;
}

}  // namespace core
