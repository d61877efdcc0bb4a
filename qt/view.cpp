#include "qt/view.h"
#include "qt/model.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QShortcut>
#include <algorithm>

#include "core/reading.h"
#include "qt/screen_fit.h"
#include "qt/status_line.h"

namespace qt {

// A computed value shown as text. A screen reader reads its caption as its
// name and the number as its value, and hears of each new value.
class ValueLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;
  // Kept here rather than as the accessible name: setting that raises an
  // accessibility event, which makes an interface for the widget whether or
  // not anyone listens.
  QString caption;
};

namespace {

class ValueLabelAccessible : public QAccessibleWidget {
 public:
  explicit ValueLabelAccessible(QWidget* label)
      : QAccessibleWidget(label, QAccessible::StaticText) {}

  QString text(QAccessible::Text t) const override {
    auto* label = static_cast<ValueLabel*>(widget());
    if (t == QAccessible::Value) return label->text();
    if (t == QAccessible::Name && label->accessibleName().isEmpty()) return label->caption;
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* AccessibleFor(const QString& className, QObject* object) {
  if (className == QLatin1String("qt::ValueLabel") && object && object->isWidgetType())
    return new ValueLabelAccessible(static_cast<QWidget*>(object));
  return nullptr;
}

}  // namespace


namespace {

const QColor kTitleBlue(0, 0, 255);
const QColor kFrameRed(128, 0, 0);
const QColor kWarningRed(255, 0, 0);

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Buttons and options read "&" as a keyboard mnemonic; the
// captions here mean the character itself.
QString Literal(const std::string& text) { return Q(text).replace("&", "&&"); }

// A bordered frame with its caption set into the top edge: an etched line,
// drawn directly. (The style's group box draws its border from an image,
// which loads the image plugins and tints a pixmap for every frame.) The
// caption's red is its own, not the palette's, so the controls inside keep
// the window's black text without a palette each.
class FrameBox : public QWidget {
 public:
  explicit FrameBox(QWidget* parent) : QWidget(parent) {}

  void setTitle(const QString& title) {
    if (title == title_) return;
    title_ = title;
    setAccessibleName(title);
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int top = title_.isEmpty() ? 0 : metrics.height() / 2;
    // The etched line as filled one-pixel strips: a pen stroke costs many
    // times more for the same pixels.
    const QRect edge = rect().adjusted(0, top, -2, -2);
    Outline(painter, edge, palette().color(QPalette::Mid));
    Outline(painter, edge.translated(1, 1), palette().color(QPalette::Light));
    if (title_.isEmpty()) return;
    const QRect caption(8, 0, metrics.horizontalAdvance(title_) + 6, metrics.height());
    painter.fillRect(caption, palette().window());
    painter.setPen(kFrameRed);
    painter.drawText(caption, Qt::AlignCenter, title_);
  }

 private:
  static void Outline(QPainter& painter, const QRect& r, const QColor& color) {
    painter.fillRect(r.left(), r.top(), r.width() + 1, 1, color);
    painter.fillRect(r.left(), r.bottom() + 1, r.width() + 1, 1, color);
    painter.fillRect(r.left(), r.top(), 1, r.height() + 1, color);
    painter.fillRect(r.right() + 1, r.top(), 1, r.height() + 1, color);
  }

  QString title_;
};

AccessibleListener accessibleListener = nullptr;

bool Listened() { return accessibleListener || QAccessible::isActive(); }

void Notify(QAccessibleEvent&& event) {
  if (accessibleListener) accessibleListener(&event);
  QAccessible::updateAccessibility(&event);
}

PictureMaker pictureMaker = nullptr;

// Where no renderer is linked in: the drawing's white ground. A program that
// shows a drawing must link the renderer (frame_svg); its test counts what
// the drawing puts on that ground.
QWidget* BlankPicture(QWidget* parent) {
  qWarning("frame: a drawing is shown, but no SVG renderer is linked in");
  auto* blank = new QWidget(parent);
  QPalette palette = blank->palette();
  palette.setColor(QPalette::Window, Qt::white);
  blank->setPalette(palette);
  blank->setAutoFillBackground(true);
  return blank;
}

Qt::Alignment AlignmentOf(Align align) {
  switch (align) {
    case Align::Center: return Qt::AlignCenter;
    case Align::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case Align::Left: break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace

void SetPictureMaker(PictureMaker maker) { pictureMaker = maker; }

void SetAccessibleListener(AccessibleListener listener) { accessibleListener = listener; }

// The metric twins come first: asking for them by name spares the font
// database a substitution search for every family it does not hold.
QFont FontFor(Look look, int points) {
  QFont font;
  if (look == Look::Title || look == Look::Compute) {
    font.setFamilies({"Liberation Sans", "Arial"});
    font.setStyleHint(QFont::SansSerif);
    // Titles and buttons carry only the program's own Latin text: no
    // fallback fonts to look up for them.
    font.setStyleStrategy(QFont::NoFontMerging);
  } else {
    // One family only: a second one would be looked up as a fallback when
    // the font is loaded, a search through every font on the machine; the
    // font configuration stands in Times New Roman if Liberation is missing.
    font.setFamilies({"Liberation Serif"});
    font.setStyleHint(QFont::Serif);
  }
  font.setPointSize(look == Look::Title ? 18 : points);
  font.setBold(true);
  // Outlines as designed, laid out with the metrics of print: the same
  // widths as light hinting gives, without the auto-hinter's analysis of
  // every face and glyph at start-up.
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

QFont FontFor(const Control& control) { return FontFor(control.look, control.points); }

View::View(Form& form, QWidget* parent)
    : QWidget(parent), form_(form), scroll_(new QScrollArea(this)), canvas_(new QWidget) {
  static const bool accessible = (QAccessible::installFactory(AccessibleFor), true);
  (void)accessible;
  setObjectName("Form1");
  setWindowTitle(Q(form.caption()));
  scroll_->setObjectName("scroll");
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setFocusPolicy(Qt::NoFocus);
  scroll_->setWidgetResizable(false);
  // The error line sits below the designed area, so it never hides a control.
  canvas_->setObjectName("canvas");
  canvas_->setFixedSize(form.width(), form.height() + 26);
  scroll_->setWidget(canvas_);
  Fit();
  new ScreenFitter(*this, [this] { Fit(); });
  // Where the window scrolls, the control that takes the focus is scrolled
  // into sight, by Tab, the arrows or a mnemonic alike.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now && canvas_->isAncestorOf(now)) scroll_->ensureWidgetVisible(now, 8, 8);
  });
  // What most controls share is set once here and inherited: a font or a
  // palette of a widget's own costs a resolve and an event for each.
  setFont(FontFor(Look::Text, 10));
  QPalette palette = this->palette();
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    palette.setColor(role, Qt::black);
  setPalette(palette);
  resultFrames_ = form.ResultFrames();
  // Only what can be seen is built now; a hidden frame's controls get their
  // widgets when the frame is first shown (or when asked for by name).
  for (const auto& control : form.controls())
    if (control->shown()) Materialize(*control);
  constructing_ = false;
  for (const auto& [control, widget] : widgets_)
    if (control->kind() == Kind::Option) SetOptionTabStops(control->parent());
  SetTabOrder();
  AddCopyActions();
  form.SetObserver(this);
}

QWidget* View::Materialize(Control& control) {
  if (auto it = widgets_.find(&control); it != widgets_.end()) return it->second;
  QWidget* container = control.parent() ? Materialize(*control.parent()) : canvas_;
  QWidget* widget = Build(control, container);
  widget->setObjectName(Q(control.id()));
  widget->setGeometry(control.rect.x, control.rect.y, control.rect.w, control.rect.h);
  widgets_[&control] = widget;
  controls_[widget] = &control;
  if (!constructing_) {
    // Keep the model's stacking: a later sibling already built lies above.
    const auto& all = form_.controls();
    auto at = std::find_if(all.begin(), all.end(), [&](const auto& c) { return c.get() == &control; });
    for (auto next = at; next != all.end(); ++next) {
      if (next == at || (*next)->parent() != control.parent()) continue;
      if (auto built = widgets_.find(next->get()); built != widgets_.end()) {
        widget->stackUnder(built->second);
        break;
      }
    }
    tabOrderStale_ = true;
  }
  if (control.kind() == Kind::Frame) AddFrameCopyAction(static_cast<Frame&>(control));
  Describe(control, widget);
  Mirror(control, widget);
  if (control.kind() == Kind::Option && !constructing_) SetOptionTabStops(control.parent());
  return widget;
}

void View::MaterializeShown(Control& control) {
  if (!control.shown()) return;
  Materialize(control);
  if (control.kind() != Kind::Frame) return;
  for (Control* child : form_.Children(static_cast<Frame*>(&control))) MaterializeShown(*child);
}

void View::Describe(Control& control, QWidget* widget) {
  const bool described = control.kind() == Kind::TextBox || control.kind() == Kind::List ||
                         IsResult(control);
  if (!described) return;
  const std::string caption = CaptionOf(form_, control);
  const QString name = Q(caption);
  if (auto* value = qobject_cast<ValueLabel*>(widget)) {
    value->caption = name;
    return;
  }
  // The label of a box or list names it to assistive technology as its
  // buddy (and takes the user to it with a mnemonic), so the box needs no
  // name of its own: setting one raises an accessibility event, which makes
  // an interface for the widget whether or not anyone listens. A label
  // whose "&" is a character of its caption stays a plain label, and so
  // does one whose text is not the box's caption (a box the program names).
  const Control* buddy = CaptionControl(form_, control);
  if (buddy && buddy->kind() == Kind::Label && buddy->text().find('&') == std::string::npos &&
      buddy->text() == caption) {
    auto* label = qobject_cast<QLabel*>(Materialize(*const_cast<Control*>(buddy)));
    if (label) {
      // A column heading captions every box under it, but is the buddy of
      // one only: the others keep its caption as a name of their own.
      QWidget* earlier = label->buddy();
      if (earlier && earlier != widget && earlier->accessibleName().isEmpty())
        earlier->setAccessibleName(label->text());
      label->setBuddy(widget);
      // (Item views take their name only from accessibleName.)
      if (label->parentWidget() == widget->parentWidget() && control.kind() == Kind::TextBox)
        return;
    }
  }
  widget->setAccessibleName(name);
}

void View::CopyToClipboard(const Frame* frame) {
  QApplication::clipboard()->setText(Q(frame ? form_.TableText(frame) : WindowText(form_)));
}

void View::AddFrameCopyAction(Frame& frame) {
  if (std::find(resultFrames_.begin(), resultFrames_.end(), &frame) == resultFrames_.end()) return;
  QWidget* widget = widgets_.at(&frame);
  auto* action = new QAction("Copy", widget);
  connect(action, &QAction::triggered, this, [this, &frame] { CopyToClipboard(&frame); });
  widget->addAction(action);
  widget->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void View::AddCopyActions() {
  // Results can be copied as tab-separated rows: a frame of results from its
  // context menu, the whole window from the window's own; Ctrl+C copies the
  // frame that holds the focus, or else the whole window. A box that holds
  // the focus copies its own selected text, as usual.
  // (Each frame of results gets its own Copy when its widget is built.)
  auto* whole = new QAction("Copy", this);
  connect(whole, &QAction::triggered, this, [this] { CopyToClipboard(nullptr); });
  addAction(whole);
  setContextMenuPolicy(Qt::ActionsContextMenu);

  auto* shortcut = new QShortcut(QKeySequence::Copy, this);
  shortcut->setContext(Qt::WindowShortcut);
  connect(shortcut, &QShortcut::activated, this, [this] {
    const Frame* frame = nullptr;
    if (auto it = controls_.find(QApplication::focusWidget()); it != controls_.end())
      frame = form_.ResultFrameOf(*it->second);
    CopyToClipboard(frame);
  });
}

bool View::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride: {
      // A result box would take Ctrl+C for itself even with nothing
      // selected, and copy nothing; then the window's copy of the results
      // shall have it. A box that is typed into keeps it, as any box does.
      auto* key = static_cast<QKeyEvent*>(event);
      auto* edit = qobject_cast<QLineEdit*>(watched);
      if (edit && edit->isReadOnly() && key->matches(QKeySequence::Copy) &&
          !edit->hasSelectedText()) {
        event->ignore();
        return true;
      }
      break;
    }
    case QEvent::KeyPress: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      // Enter on a focused button presses it, as in a dialog; in a list it
      // presses the compute button of the list's part, as in a box.
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(watched)) {
          button->click();
          return true;
        }
        if (qobject_cast<QListWidget*>(watched)) {
          if (auto it = controls_.find(static_cast<QWidget*>(watched)); it != controls_.end())
            if (Button* compute = form_.ComputeFor(*it->second)) form_.UserClick(*compute);
          return true;
        }
      }
      if (auto* radio = qobject_cast<QRadioButton*>(watched)) {
        if (static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier &&
            MoveAmongOptions(radio, key))
          return true;
      }
      break;
    }
    case QEvent::MouseButtonDblClick:
      // The second press of a double-click would press a button again: one
      // activation is what the user asked for.
      if (qobject_cast<QPushButton*>(watched)) return true;
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

View::~View() {
  if (form_.observer() == this) form_.SetObserver(nullptr);
}

QWidget* View::widget(std::string_view id) {
  Control* control = form_.FindById(id);
  if (!control) return nullptr;
  QWidget* widget = Materialize(*control);
  if (tabOrderStale_) SetTabOrder();
  return widget;
}

namespace {

// A font of its own only where the control's differs from the one it inherits.
void SetFont(QWidget* widget, const Control& control) {
  const QFont font = FontFor(control);
  if (font != widget->font()) widget->setFont(font);
}

}  // namespace

QWidget* View::Build(Control& control, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (control.kind()) {
    case Kind::Label: {
      auto* label = IsResult(control) ? new ValueLabel(parent) : new QLabel(parent);
      SetFont(label, control);
      label->setAlignment(AlignmentOf(control.align));
      label->setWordWrap(control.rect.h > 2 * label->fontMetrics().height());
      if (control.border) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      if (control.look == Look::Title || control.look == Look::Warning) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText,
                         control.look == Look::Title ? kTitleBlue : kWarningRed);
        if (control.look == Look::Title) {
          label->setAutoFillBackground(true);
          palette.setColor(QPalette::Window, Qt::white);
        }
        label->setPalette(palette);
      }
      widget = label;
      break;
    }
    case Kind::TextBox: {
      auto& box = static_cast<TextBox&>(control);
      auto* edit = new QLineEdit(parent);
      edit->setReadOnly(box.readOnly);
      connect(edit, &QLineEdit::textEdited, this, [this, &box](const QString& text) {
        form_.UserType(box, text.toStdString());
      });
      // Enter in a box presses the compute button of its part of the window.
      connect(edit, &QLineEdit::returnPressed, this, [this, &box] {
        if (Button* compute = form_.ComputeFor(box)) form_.UserClick(*compute);
      });
      if (box.readOnly) edit->installEventFilter(this);  // Ctrl+C copies the results
      widget = edit;
      break;
    }
    case Kind::Frame: {
      if (control.border) {
        widget = new FrameBox(parent);
      } else {
        widget = new QWidget(parent);
      }
      break;
    }
    case Kind::Button: {
      auto* button = new QPushButton(parent);
      button->installEventFilter(this);
      connect(button, &QPushButton::clicked, this, [this, &control] { form_.UserClick(control); });
      widget = button;
      break;
    }
    case Kind::Option: {
      auto* radio = new QRadioButton(parent);
      // The model keeps the options of a container exclusive.
      radio->setAutoExclusive(false);
      radio->installEventFilter(this);  // arrows choose among the group
      connect(radio, &QRadioButton::clicked, this, [this, &control, radio] {
        form_.UserClick(control);
        radio->setChecked(static_cast<Option&>(control).value());
      });
      widget = radio;
      break;
    }
    case Kind::List: {
      auto& model = static_cast<ListBox&>(control);
      QStringList items;
      for (const auto& item : model.items()) items << Q(item);
      auto* list = new QListWidget(parent);
      list->addItems(items);
      list->installEventFilter(this);  // Enter computes
      // The chosen item is the selected one: the current row alone moves
      // when the list first takes the focus, and chooses nothing.
      connect(list, &QListWidget::itemSelectionChanged, this, [this, &model, list] {
        const QList<QListWidgetItem*> chosen = list->selectedItems();
        if (chosen.isEmpty()) {
          Mirror(model, list);  // a list keeps its choice
          return;
        }
        const int row = list->row(chosen.front());
        if (row != model.listIndex()) form_.UserSelect(model, row);
      });
      widget = list;
      break;
    }
    case Kind::Picture:
      widget = pictureMaker ? pictureMaker(static_cast<Picture&>(control).svg, parent)
                            : BlankPicture(parent);
      break;
  }
  if (control.kind() != Kind::Label) SetFont(widget, control);
  return widget;
}

void View::Mirror(Control& control, QWidget* widget) {
  const QString text = Q(control.text());
  bool textChanged = false;
  switch (control.kind()) {
    case Kind::Label: {
      auto* label = static_cast<QLabel*>(widget);
      textChanged = label->text() != text;
      if (textChanged) label->setText(text);
      break;
    }
    case Kind::TextBox: {
      auto* edit = static_cast<QLineEdit*>(widget);
      textChanged = edit->text() != text;
      if (textChanged) edit->setText(text);
      break;
    }
    case Kind::Frame:
      if (control.border) static_cast<FrameBox*>(widget)->setTitle(Q(control.text()));
      break;
    case Kind::Button:
      static_cast<QPushButton*>(widget)->setText(Literal(control.text()));
      break;
    case Kind::Option: {
      auto* radio = static_cast<QRadioButton*>(widget);
      radio->setText(Literal(control.text()));
      const bool value = static_cast<Option&>(control).value();
      if (radio->isChecked() != value) {
        radio->setChecked(value);
        if (!constructing_) SetOptionTabStops(control.parent());
      }
      break;
    }
    case Kind::List: {
      const QSignalBlocker block(widget);
      auto* list = static_cast<QListWidget*>(widget);
      const int row = static_cast<ListBox&>(control).listIndex();
      if (row < 0) {
        list->clearSelection();
      } else if (list->currentRow() != row || !list->item(row)->isSelected()) {
        list->setCurrentRow(row);
      }
      // The viewport repaints from the model's choice: signals were blocked.
      list->viewport()->update();
      break;
    }
    case Kind::Picture:
      break;
  }
  const bool appeared = control.visible() && widget->isHidden();
  if (widget->isHidden() == control.visible()) {
    widget->setVisible(control.visible());
    tabOrderStale_ = true;
  }
  if (!constructing_) Announce(control, widget, appeared, textChanged);
}

void View::Announce(Control& control, QWidget* widget, bool appeared, bool textChanged) {
  if (!Listened() || !control.shown()) return;
  if (control.kind() == Kind::Label && control.look == Look::Warning) {
    // A failure or a warning is read out the moment it appears or changes.
    if ((appeared || textChanged) && !control.text().empty())
      Notify(QAccessibleEvent(widget, QAccessible::Alert));
    return;
  }
  if (control.kind() == Kind::Frame && appeared) {
    for (Control* child : form_.Children(static_cast<Frame*>(&control))) {
      if (child->look == Look::Warning && child->visible()) {
        Notify(QAccessibleEvent(widget, QAccessible::Alert));
        return;
      }
    }
  }
  if (!textChanged) return;
  if (IsResult(control)) {
    // A value's caption is its name, so the label says nothing of a new
    // value itself. (A box also tells of its new text, as a text change.)
    Notify(QAccessibleValueChangeEvent(widget, Q(control.text())));
  } else if (control.kind() == Kind::Label && accessibleListener) {
    // A label that reads as a whole ("Pressure = 14.695 psia") tells of its
    // new text itself, as a change of its name: the listener hears it too.
    QAccessibleEvent event(widget, QAccessible::NameChanged);
    accessibleListener(&event);
  }
}

void View::SetOptionTabStops(const Frame* group) {
  QRadioButton* first = nullptr;
  bool chosen = false;
  for (Control* c : form_.Children(group)) {
    if (c->kind() != Kind::Option) continue;
    auto it = widgets_.find(c);
    if (it == widgets_.end()) continue;
    const bool value = static_cast<Option*>(c)->value();
    it->second->setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
    chosen = chosen || value;
    if (!first) first = static_cast<QRadioButton*>(it->second);
  }
  if (first && !chosen) first->setFocusPolicy(Qt::StrongFocus);
}

bool View::MoveAmongOptions(QRadioButton* radio, int key) {
  int step = 0;
  if (key == Qt::Key_Down || key == Qt::Key_Right) step = 1;
  if (key == Qt::Key_Up || key == Qt::Key_Left) step = -1;
  auto at = controls_.find(radio);
  if (step == 0 || at == controls_.end()) return false;
  // The options of its group, as they read.
  std::vector<Control*> group;
  for (Control* c : ReadingOrder(form_, at->second->parent()))
    if (c->kind() == Kind::Option && c->parent() == at->second->parent()) group.push_back(c);
  auto here = std::find(group.begin(), group.end(), at->second);
  if (here == group.end()) return false;
  const auto index = (here - group.begin()) + step;
  if (index < 0 || index >= static_cast<long>(group.size())) return true;  // at the end
  Control* next = group[static_cast<size_t>(index)];
  QWidget* target = Materialize(*next);
  target->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  form_.UserClick(*next);
  return true;
}

void View::ControlChanged(Control& control) {
  auto it = widgets_.find(&control);
  if (it != widgets_.end()) Mirror(control, it->second);
  if (constructing_) return;
  MaterializeShown(control);
}

void View::ProgramEnded() {
  ending_ = true;
  close();
  QCoreApplication::quit();
}

void View::FileWritten(const std::string& name) {
  StatusLineOf(*this).ShowFile(name, form_.units() == core::UnitSystem::SI);
}

void View::StartProgram(const std::string& program) {
  // Only the program beside this executable, by its full path: never one
  // found through PATH or the working directory.
  const QString dir = programDir_.isEmpty() ? QCoreApplication::applicationDirPath() : programDir_;
  const QString path = dir + "/" + Q(program);
  QFileInfo info(path);
  if (!info.exists()) throw Failure("Cannot find the program file " + path.toStdString());
  if (!info.isExecutable() || !QProcess::startDetached(path, {}))
    throw Failure("Cannot start the program file " + path.toStdString());
}

void View::Fit() {
  const QSize want = canvas_->size();
  const QSize room = RoomFor(*this);
  if (want.width() <= room.width() && want.height() <= room.height()) {
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFixedSize(want);
  } else {
    // A scroll bar takes room from the other direction, which may then
    // need one too.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool tall = want.height() > room.height();
    bool wide = want.width() > room.width();
    tall = tall || (wide && want.height() + bar > room.height());
    wide = wide || (tall && want.width() + bar > room.width());
    const QSize full(want.width() + (tall ? bar : 0), want.height() + (wide ? bar : 0));
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const QSize size = full.boundedTo(room);
    setMinimumSize(size.boundedTo(QSize(320, 200)));
    setMaximumSize(full);
    resize(size);
  }
  scroll_->setGeometry(rect());
  if (isWindow() && isVisible()) KeepOnScreen(*this);
}

void View::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  scroll_->setGeometry(rect());
}

void View::closeEvent(QCloseEvent* event) {
  if (!ending_) form_.UserClose();
  event->accept();
}

void View::SetTabOrder() {
  // The order of core/reading, among the widgets built so far.
  tabOrder_.clear();
  for (Control* control : TabOrder(form_)) {
    auto built = widgets_.find(control);
    if (built != widgets_.end()) tabOrder_.push_back(built->second);
  }
  for (size_t i = 1; i < tabOrder_.size(); ++i) setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
  tabOrderStale_ = false;
}

bool View::focusNextPrevChild(bool next) {
  if (tabOrderStale_) SetTabOrder();
  const int n = static_cast<int>(tabOrder_.size());
  if (n == 0) return QWidget::focusNextPrevChild(next);
  QWidget* focus = QApplication::focusWidget();
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (tabOrder_[i] == focus || (focus && tabOrder_[i]->isAncestorOf(focus))) at = i;
  if (at < 0) at = next ? n - 1 : 0;
  for (int step = 1; step <= n; ++step) {
    QWidget* candidate = tabOrder_[static_cast<size_t>(((at + (next ? step : -step)) % n + n) % n)];
    if (candidate->isVisible() && candidate->isEnabled() &&
        (candidate->focusPolicy() & Qt::TabFocus)) {
      candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return true;
    }
  }
  return false;
}

}  // namespace qt

#include "view.moc"
