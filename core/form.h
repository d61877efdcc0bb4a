// The window model: one window of named controls, free of any toolkit.
//
// The model is the single source of truth. A view (the Qt one, or the script
// mode) observes it and forwards user actions through the User* calls, which
// are the event boundary: there, and only there, a failure of a handler is
// caught and shown in lblError.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/chart.h"
#include "core/failure.h"
#include "core/units.h"

namespace core {

enum class Kind { Label, TextBox, Frame, Button, Option, List, Picture };
const char* KindName(Kind kind);

// Position and size inside the container, in logical pixels.
struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
};

// How a control looks; the view turns this into fonts and colours.
enum class Look {
  Text,     // bold serif text
  Title,    // 18 pt bold, blue on white
  Warning,  // red text
  Result,   // a value, centred
  Heading,  // a column heading, centred
  Compute,  // a button in bold sans
};

enum class Align { Left, Center, Right };

class Form;
class Frame;

// One user action as the event boundary saw it. Replaying a window's actions
// on a fresh window of the same program brings it to the same state.
struct UserAction {
  enum class Type { Load, Type, Click, Select, Close, Units };
  Type type = Type::Load;
  std::string id;    // the control
  std::string text;  // what was typed; the item selected; for Units, "us" or "si"
  int index = -1;    // the item selected
  // What became of each print file and program start the action asked for,
  // in order: empty when done, else the failure it raised.
  std::vector<std::string> effects;
};

class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  const std::string& name() const { return name_; }
  int index() const { return index_; }          // -1 outside an array
  std::string id() const;                       // "lblm(3)" or "txtg"
  Kind kind() const { return kind_; }
  Frame* parent() const { return parent_; }     // nullptr: the window itself
  Form& form() const { return *form_; }

  bool visible() const { return visible_; }
  void setVisible(bool visible);
  // Whether a person sees it: it and every frame around it are visible.
  bool shown() const;

  // Caption of a label, frame, button or option; text of a text box; the
  // selected item of a list; empty for a picture.
  virtual const std::string& text() const { return text_; }

  // The unit of a control that shows a quantity (core/units.h), or nullptr.
  const TextUnit* unit() const { return measured_ ? &measured_->unit : nullptr; }
  // Its text in US customary units, as the program wrote it (or as the text
  // typed in SI reads in US units): the text the computation knows.
  const std::string& usText() const { return measured_ ? measured_->us : text_; }

  Rect rect;
  Look look = Look::Text;
  Align align = Align::Left;
  int points = 10;     // font size
  bool border = true;  // frames: group box or bare container; labels: sunken

 protected:
  Control(Form* form, Kind kind, std::string name, int index, Frame* parent, Rect r);
  void changed();  // tell the view

  std::string text_;  // as shown, in the window's unit system


 public:
  // A control of a quantity keeps its text in both systems; the one shown is
  // text_. The program writes US texts; a user may type SI ones.
  struct Measured {
    TextUnit unit;
    bool value = true;     // its number converts; false: a caption, only its unit
    std::string us, si;    // the text in each system
    bool typedSI = false;  // typed in SI: that text is the one read
    std::optional<double> usValue;  // the value the computation wrote, if given
  };

 protected:
  // A program write of a US text (with the value behind it, if known); true
  // when what the control holds changed.
  bool WriteUS(std::string text, std::optional<double> usValue);
  // Shows the text of the window's unit system; true when it changed.
  bool ShowUnits();
  std::unique_ptr<Measured> measured_;

 private:
  friend class Form;
  Form* form_;
  Kind kind_;
  std::string name_;
  int index_;
  Frame* parent_;
  bool visible_ = true;
};

// Where a control stands in the window: its rectangle with the offsets of
// the frames that hold it added.
Rect AbsoluteRect(const Control& control);

class Label : public Control {
 public:
  // A program write, in US units; usValue is the value the text shows, so
  // that SI is converted from it rather than from its rounded digits.
  void setCaption(std::string caption, std::optional<double> usValue = std::nullopt);
  const std::string& caption() const { return text_; }

 private:
  friend class Form;
  using Control::Control;
};

class TextBox : public Control {
 public:
  // A program write, in US units; raises Change when the text differs.
  void setText(std::string text, std::optional<double> usValue = std::nullopt);
  std::function<void()> Change;
  bool readOnly = false;
  std::string what;  // how failure messages name the box, e.g. "Mach number"

 private:
  friend class Form;
  using Control::Control;
  // What the user typed, in the window's unit system.
  void Typed(std::string text);
};

class Frame : public Control {
 public:
  const std::string& caption() const { return text_; }
  void setCaption(std::string caption);

 private:
  friend class Form;
  using Control::Control;
};

class Button : public Control {
 public:
  std::function<void()> Click;

 private:
  friend class Form;
  using Control::Control;
};

class Option : public Control {
 public:
  bool value() const { return value_; }
  // true selects it (clearing the others in its container) and raises Click
  // when it was not selected; false only clears it.
  void setValue(bool value);
  std::function<void()> Click;

 private:
  friend class Form;
  using Control::Control;
  bool value_ = false;
};

class ListBox : public Control {
 public:
  const std::vector<std::string>& items() const { return items_; }
  int listIndex() const { return listIndex_; }
  // Selects an item by index (-1: none); raises Click when it changes.
  void setListIndex(int index);
  // Selects the item whose text equals text, ignoring letter case; raises
  // Click when the selection changes. An item the list does not hold leaves
  // the selection as it is and returns false.
  bool setText(std::string_view text);
  // The index of the item whose text equals text ignoring case, or -1.
  int IndexOf(std::string_view text) const;
  const std::string& text() const override;
  std::function<void()> Click;

 private:
  friend class Form;
  using Control::Control;
  std::vector<std::string> items_;
  int listIndex_ = -1;
};

class Picture : public Control {
 public:
  std::string svg;  // the fixed drawing, as SVG text

 private:
  friend class Form;
  using Control::Control;
};

// What a view is told of the model.
class FormObserver {
 public:
  virtual ~FormObserver() = default;
  virtual void ControlChanged(Control& control) = 0;
  virtual void ProgramEnded() = 0;
  // A print file was written and closed in the working directory.
  virtual void FileWritten(const std::string& name) = 0;
  // The launcher asks to start a program; a failure throws core::Failure.
  virtual void StartProgram(const std::string& program) = 0;
};

class Form {
 public:
  Form(std::string caption, int width, int height);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& caption() const { return caption_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // --- building (in the constructor of a window) ---
  Label* AddLabel(std::string name, std::string caption, Rect r, Frame* in = nullptr,
                  Look look = Look::Text, int index = -1);
  // count labels one below the other, dy apart, index 0 at the top.
  std::vector<Label*> AddLabelArray(std::string name, int count, std::string caption,
                                    Rect first, int dy, Frame* in = nullptr,
                                    Look look = Look::Result);
  TextBox* AddTextBox(std::string name, Rect r, Frame* in = nullptr, int index = -1);
  Frame* AddFrame(std::string name, std::string caption, Rect r, Frame* in = nullptr,
                  bool border = true);
  Button* AddButton(std::string name, std::string caption, Rect r, Frame* in = nullptr,
                    Look look = Look::Text);
  Option* AddOption(std::string name, std::string caption, Rect r, Frame* in = nullptr);
  ListBox* AddList(std::string name, std::vector<std::string> items, Rect r,
                   Frame* in = nullptr);
  Picture* AddPicture(std::string name, std::string svg, Rect r, Frame* in = nullptr);
  // The quantity of every control called name (each element of an array):
  // a text box or a result label shows a value of it, converted with its
  // unit; a caption, frame or heading names its unit, which is replaced.
  // usUnit is the unit as these texts write it, when not the quantity's own
  // ("deg R" for "R").
  void Measure(std::string_view name, Quantity quantity, std::string_view usUnit = {});
  // The same for a label that shows a value beside words ("Pressure = 14.696
  // psia"): its number converts and its unit is replaced.
  void MeasureValue(std::string_view name, Quantity quantity, std::string_view usUnit = {});

  // --- looking up ---
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
  Control* Find(std::string_view name, int index = -1) const;
  Control* FindById(std::string_view id) const;  // "lblm(3)" or "txtg"
  std::vector<Control*> Children(const Frame* in) const;
  // Whether control lies inside frame (at any depth).
  static bool Inside(const Control& control, const Frame* frame);

  // The compute button that belongs to a box's or a list's part of the
  // window (what Enter there presses): the nearest container around it that
  // holds a shown "Compute" or "Calculate" button. Nullptr when there is
  // none, and for any other kind of control.
  Button* ComputeFor(const Control& input) const;
  // What a frame shows (nullptr: the whole window), as tab-separated rows
  // (top to bottom, each row left to right): its headings, values and boxes,
  // ready for a spreadsheet.
  std::string TableText(const Frame* frame) const;
  std::string TableText(const Frame& frame) const { return TableText(&frame); }
  // The frames worth copying: those that hold result values.
  std::vector<Frame*> ResultFrames() const;
  // The frame of results around a control, or nullptr when there is none.
  Frame* ResultFrameOf(const Control& control) const;

  Label* lblError;  // hidden while nothing is wrong

  // --- the event boundary: user actions, each run to completion ---
  void Load();                           // runs Form_Load
  void UserType(TextBox& box, std::string text);
  void UserClick(Control& control);      // a button or an option
  void UserSelect(ListBox& list, int index);
  void UserClose();                      // the close box: like "Done!"
  // The unit system shown and read (a user action, recorded so that copies
  // follow): every text of a quantity is shown in it; nothing is recomputed,
  // and a failure message or warning stays as it is.
  void UserUnits(UnitSystem system);
  UnitSystem units() const { return units_; }
  bool ended() const { return ended_; }

  void SetObserver(FormObserver* observer) { observer_ = observer; }
  FormObserver* observer() const { return observer_; }

  // --- copies (see core/sweep.h) ---
  // Every user action so far, in order.
  const std::vector<UserAction>& actions() const { return actions_; }
  // A copy writes no print file and starts no program: while it replays
  // actions, each such effect ends as it did in the window copied; after
  // that, each is taken as done.
  void MakeCopy() { copy_ = true; }
  bool isCopy() const { return copy_; }
  // A copy that becomes a window of its own (an opened case, once replayed):
  // from now on its print files are written and its programs started.
  void EndCopy() { copy_ = false; }
  // Runs the actions on this fresh window, effects included as recorded.
  void Replay(const std::vector<UserAction>& actions);

  // --- charts (core/chart.h) ---
  // The window's charts by name, in the order of their tabs.
  virtual std::vector<std::string> ChartNames() const { return {}; }
  // The data of one of them for the window as it stands: from its inputs and
  // its last results, or saying why there is none.
  virtual ChartData Chart(const std::string& name) const;
  // The same in the window's unit system, as the views and sweeps show it.
  ChartData ShownChart(const std::string& name) const;
  // changed is called after each user action has run to completion and when
  // a sweep is noted, so that an open chart follows. Returns a key for Unlisten.
  int Listen(std::function<void()> changed);
  void Unlisten(int key);
  // The user action running now (its index in actions()), for a handler
  // that wants to learn later how it ended; FailureOf tells what that
  // action failed with (empty when it did not, or when another action has
  // failed since).
  size_t runningAction() const { return running_; }
  std::string FailureOf(size_t action) const {
    return action != kNone && action == lastFailed_ ? lastFailure_ : std::string();
  }
  // Why the computation begun by `action` left nothing to draw: "The last
  // computation failed: <what it failed with>", else `otherwise`.
  std::string WhyNothing(size_t action, const std::string& otherwise) const {
    const std::string failed = FailureOf(action);
    return failed.empty() ? otherwise : "The last computation failed: " + failed;
  }
  // The last sweep run of this window (a view notes it when it ends).
  void NoteSweep(SweepTrace trace);
  const SweepTrace& lastSweep() const { return lastSweep_; }

  // --- operations for the program ---
  // "Done!": ends the program at once; nothing after it runs.
  [[noreturn]] void End();
  // The strict reading of a box into a Single; text that is not a number
  // ends the handler with a message naming the box by its caption.
  float Strict(const TextBox* box) const;
  // How messages name a box: its caption (core::CaptionOf, core/reading.h).
  std::string CaptionOf(const TextBox& box) const;
  // Ends the handler with "<caption of box> <why>".
  [[noreturn]] void Refuse(const TextBox* box, const std::string& why) const;
  // The results the running computation writes. Should the event fail, they
  // are blanked, so no mixture of old and new values stays on screen. (A
  // frame of results that a failed event began to rewrite is blanked whole,
  // named here or not.)
  void Writes(std::initializer_list<Control*> results);
  template <class C>
  void Writes(const std::vector<C*>& results) {
    for (C* c : results) pending_.push_back(c);
  }
  // The results written so far stand although the event goes on to report
  // a failure: a warning about them, not a failure of them.
  void ResultsStand() {
    pending_.clear();
    touched_.clear();
  }
  // The leading reading of a box into a Double: its leading number, which
  // must be all the box holds but blanks; anything else ends the handler
  // with a message naming the box, as Strict does.
  double Leading(const TextBox* box) const;
  // The same rounded to a Single; a number beyond the Single range, which
  // would enter the computation as infinity, is refused as too large or small.
  float LeadingSingle(const TextBox* box) const;
  // The leading number of a box into a Single, what follows it ignored
  // (core::ReadLeadingPart); a decimal comma or a number beyond the Single
  // range is refused.
  float LeadingPartSingle(const TextBox* box) const;
  // Writes lines (without line ends) as a print file in the working
  // directory; each line ends with CR LF. Whole or not at all: a write that
  // fails names the full path and why.
  void WritePrintFile(const std::string& name, const std::vector<std::string>& lines);
  // Writes the next numbered print file, "<base> <n>.txt": n is the first
  // number after counter whose name is free in the folder or is a file this
  // window wrote itself, so a file of an earlier run or of another window is
  // kept. counter takes n once the file is written: a print that fails counts
  // no file. Returns the name written.
  std::string WriteNumberedPrintFile(std::string_view base, std::int16_t& counter,
                                     const std::vector<std::string>& lines);
  void StartProgram(const std::string& program);

 protected:
  virtual void Form_Load() {}
  // For windows that size themselves from their contents.
  void SetSize(int width, int height);

 private:
  friend class Control;
  friend class Label;
  friend class Frame;
  friend class TextBox;
  friend class Option;
  friend class ListBox;
  template <class T>
  T* Add(Kind kind, std::string name, int index, Frame* in, Rect r);
  void Boundary(UserAction record, const std::function<void()>& action);
  // Runs a handler raised by a change, guarding against endless recursion.
  void Raise(const std::function<void()>& handler);
  void Notify(Control& control);
  // Tells the listeners.
  void Changed();
  // What became of a print file or a program start, for the record.
  void NoteEffect(std::string failure);
  // In a copy, instead of the effect: ends as recorded, if it was.
  void ReplayEffect();

  void Declare(std::string_view name, Quantity quantity, std::string_view usUnit,
               bool value);
  // The text a box is read from, and whether it is in SI.
  std::pair<const std::string*, bool> Reading(const TextBox* box) const;

  std::string caption_;
  int width_, height_;
  UnitSystem units_ = UnitSystem::US;
  std::vector<std::unique_ptr<Control>> controls_;
  FormObserver* observer_ = nullptr;
  bool ended_ = false;
  int depth_ = 0;
  void BlankFailedResults();
  std::vector<Control*> pending_;  // results the running event writes
  std::vector<Control*> touched_;  // results it has changed so far
  std::string startFolder_;        // the working folder when the window was made
  std::set<std::string> written_;  // the print files this window wrote
  std::vector<UserAction> actions_;
  bool copy_ = false;
  std::vector<std::pair<int, std::function<void()>>> listeners_;
  int nextListener_ = 0;
  SweepTrace lastSweep_;
  // While an action runs: its record (to note effects), or when replaying,
  // the recorded effects still to come.
  static constexpr size_t kNone = static_cast<size_t>(-1);
  size_t running_ = kNone;
  size_t lastFailed_ = kNone;
  std::string lastFailure_;
  const std::vector<std::string>* replayEffects_ = nullptr;
  size_t replayAt_ = 0;
};

// "Isentropic Flow by QMX 03.05.2005" + blanks + notice.
std::string Caption(std::string_view title, int blanks,
                    std::string_view notice = "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)",
                    std::string_view date = "03.05.2005");

// What a caption in the Greek symbol face reads as: "g =" gives "γ =",
// "r/rt" gives "ρ/ρτ".
std::string SymbolText(std::string_view latin);

}  // namespace core
