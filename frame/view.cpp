#include "frame/view.h"

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
#include <QShortcut>
#include <algorithm>

#include "frame/choicelist.h"
#include "frame/latebox.h"
#include "frame/status_line.h"

namespace frame {

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

PictureMaker pictureMaker = nullptr;

// Where no renderer is linked in: the drawing's white ground.
QWidget* BlankPicture(QWidget* parent) {
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

View::View(Form& form, QWidget* parent) : QWidget(parent), form_(form) {
  setObjectName("Form1");
  setWindowTitle(Q(form.caption()));
  // The error line sits below the designed area, so it never hides a control.
  setFixedSize(form.width(), form.height() + 26);
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
  SetTabOrder();
  AddCopyActions();
  form.SetObserver(this);
}

QWidget* View::Materialize(Control& control) {
  if (auto it = widgets_.find(&control); it != widgets_.end()) return it->second;
  QWidget* container = control.parent() ? Materialize(*control.parent()) : this;
  QWidget* widget = Build(control, container);
  widget->setObjectName(Q(control.id()));
  widget->setGeometry(control.rect.x, control.rect.y, control.rect.w, control.rect.h);
  widgets_[&control] = widget;
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
  Mirror(control, widget);
  return widget;
}

void View::MaterializeShown(Control& control) {
  if (!control.shown()) return;
  Materialize(control);
  if (control.kind() != Kind::Frame) return;
  for (Control* child : form_.Children(static_cast<Frame*>(&control))) MaterializeShown(*child);
}

void View::CopyToClipboard(const Frame* frame) {
  QApplication::clipboard()->setText(Q(form_.TableText(frame)));
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
  // the focus copies its own selected text first, as usual.
  // (Each frame of results gets its own Copy when its widget is built.)
  auto* whole = new QAction("Copy", this);
  connect(whole, &QAction::triggered, this, [this] { CopyToClipboard(nullptr); });
  addAction(whole);
  setContextMenuPolicy(Qt::ActionsContextMenu);

  auto* shortcut = new QShortcut(QKeySequence::Copy, this);
  shortcut->setContext(Qt::WindowShortcut);
  connect(shortcut, &QShortcut::activated, this, [this] {
    const Frame* frame = nullptr;
    for (const auto& [control, widget] : widgets_) {
      if (widget == QApplication::focusWidget()) frame = form_.ResultFrameOf(*control);
    }
    CopyToClipboard(frame);
  });
}

bool View::eventFilter(QObject* watched, QEvent* event) {
  // A box would take Ctrl+C for itself even with nothing selected, and copy
  // nothing; then the window's copy of the results shall have it.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && key->matches(QKeySequence::Copy) && !edit->hasSelectedText()) {
      event->ignore();
      return true;
    }
  }
  // Enter on a focused button presses it, as in a dialog.
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (auto* button = qobject_cast<QPushButton*>(watched)) {
        button->click();
        return true;
      }
    }
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
  if (auto* late = qobject_cast<LateBox*>(widget)) widget = late->Promote();
  if (tabOrderStale_) SetTabOrder();
  return widget;
}

QLineEdit* View::PromoteBox(TextBox& box) {
  QWidget* late = widgets_.at(&box);
  auto* edit = new QLineEdit(late->parentWidget());
  edit->setReadOnly(box.readOnly);
  connect(edit, &QLineEdit::textEdited, this, [this, &box](const QString& text) {
    form_.UserType(box, text.toStdString());
  });
  // Enter in a box presses the compute button of its part of the window.
  connect(edit, &QLineEdit::returnPressed, this, [this, &box] {
    if (Button* compute = form_.ComputeFor(box)) form_.UserClick(*compute);
  });
  edit->installEventFilter(this);  // Ctrl+C with nothing selected copies results
  if (late->font() != edit->font()) edit->setFont(late->font());
  edit->setObjectName(late->objectName());
  edit->setGeometry(late->geometry());
  edit->stackUnder(late);
  widgets_[&box] = edit;
  Mirror(box, edit);
  SetTabOrder();
  return edit;
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
      auto* label = new QLabel(parent);
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
      // Drawn at first, made a real box when first reached for.
      auto& box = static_cast<TextBox&>(control);
      widget = new LateBox(Q(box.text()), box.readOnly, [this, &box] { return PromoteBox(box); },
                           parent);
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
      auto select = [this, &model](int row) {
        if (row != model.listIndex()) form_.UserSelect(model, row);
      };
      auto* choices = new ChoiceList(items, parent);
      SetFont(choices, control);
      if (choices->Fits(QSize(control.rect.w, control.rect.h))) {
        connect(choices, &ChoiceList::currentRowChanged, this, select);
        widget = choices;
        break;
      }
      delete choices;  // too many rows to show at once: a list that scrolls
      auto* list = new QListWidget(parent);
      list->addItems(items);
      connect(list, &QListWidget::currentRowChanged, this, select);
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
  switch (control.kind()) {
    case Kind::Label: {
      auto* label = static_cast<QLabel*>(widget);
      if (label->text() != text) label->setText(text);
      break;
    }
    case Kind::TextBox: {
      if (auto* late = qobject_cast<LateBox*>(widget)) {
        late->setText(text);
        break;
      }
      auto* edit = static_cast<QLineEdit*>(widget);
      if (edit->text() != text) edit->setText(text);
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
      radio->setChecked(static_cast<Option&>(control).value());
      break;
    }
    case Kind::List: {
      const QSignalBlocker block(widget);
      const int row = static_cast<ListBox&>(control).listIndex();
      if (auto* choices = qobject_cast<ChoiceList*>(widget))
        choices->setCurrentRow(row);
      else
        static_cast<QListWidget*>(widget)->setCurrentRow(row);
      break;
    }
    case Kind::Picture:
      break;
  }
  widget->setVisible(control.visible());
}

void View::ControlChanged(Control& control) {
  auto it = widgets_.find(&control);
  if (it != widgets_.end()) Mirror(control, it->second);
  if (constructing_) return;
  MaterializeShown(control);
  if (tabOrderStale_) SetTabOrder();
}

void View::ProgramEnded() {
  ending_ = true;
  close();
  QCoreApplication::quit();
}

void View::FileWritten(const std::string& name) { StatusLineOf(*this).ShowFile(name); }

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

void View::closeEvent(QCloseEvent* event) {
  if (!ending_) form_.UserClose();
  event->accept();
}

void View::SetTabOrder() {
  // Top to bottom, then left to right, inside each container in turn.
  std::vector<QWidget*> order;
  std::function<void(const Frame*)> walk = [&](const Frame* in) {
    std::vector<Control*> children = form_.Children(in);
    std::stable_sort(children.begin(), children.end(), [](Control* a, Control* b) {
      if (a->rect.y != b->rect.y) return a->rect.y < b->rect.y;
      return a->rect.x < b->rect.x;
    });
    for (Control* child : children) {
      auto built = widgets_.find(child);
      if (built == widgets_.end()) continue;
      QWidget* widget = built->second;
      if (child->kind() == Kind::Frame)
        walk(static_cast<Frame*>(child));
      else if (widget->focusPolicy() & Qt::TabFocus)
        order.push_back(widget);
    }
  };
  walk(nullptr);
  for (size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
  tabOrderStale_ = false;
}

}  // namespace frame
