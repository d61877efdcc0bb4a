// Helpers for the GUI tests of every program.
#pragma once

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <QtTest>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "core/form.h"
#include "core/reading.h"
#include "core/script.h"
#include "qt/view.h"
#include "qt/model.h"

namespace qt {

// A program's window as a person finds it: the model loaded, the view shown.
// Tests take both parts by name: auto& [form, view] = window;
template <class F>
struct Opened {
  F form;
  View view{form};
  Opened() {
    form.Load();
    view.show();
  }
};

// The widgets the view made for a control, by its name.
inline QLineEdit* FindBox(View& view, const char* id) {
  return qobject_cast<QLineEdit*>(view.widget(id));
}
inline QPushButton* FindButton(View& view, const char* id) {
  return qobject_cast<QPushButton*>(view.widget(id));
}
inline QListWidget* FindList(View& view, const char* id) {
  return qobject_cast<QListWidget*>(view.widget(id));
}

// Which of a window's frames and controls a person sees, and which not.
inline void CheckShown(View& view, std::initializer_list<const char*> shown,
                       std::initializer_list<const char*> hidden = {}) {
  for (const char* id : shown) QVERIFY2(view.widget(id)->isVisible(), id);
  for (const char* id : hidden) QVERIFY2(!view.widget(id)->isVisible(), id);
}

// Types TEXT over all that BOX holds, as a person does.
inline void Retype(QLineEdit* box, const QString& text) {
  box->selectAll();
  QTest::keyClicks(box, text);
}

// Types TEXT into the box ID as a person does; the model holds it at once.
inline void TypeInto(View& view, Form& form, const char* id, const QString& text) {
  QLineEdit* box = FindBox(view, id);
  QVERIFY2(box, id);
  Retype(box, text);
  QCOMPARE(QString::fromStdString(form.FindById(id)->text()), text);
}

// Presses the button ID as a person does, with the mouse.
inline void Press(View& view, const char* id) {
  QPushButton* button = FindButton(view, id);
  QVERIFY2(button, id);
  QTest::mouseClick(button, Qt::LeftButton);
}

// Shows a window at a size, as a person would have it; whether it came up.
inline bool ShowAt(QWidget& window, QSize size) {
  window.resize(size);
  window.show();
  return QTest::qWaitForWindowExposed(&window);
}

// With CALC_SHOT_DIR set, saves what the widget shows as NAME.png there, so a
// person can look at the window as the test saw it.
inline void SaveShot(QWidget& widget, const QString& name) {
  if (const char* dir = std::getenv("CALC_SHOT_DIR"))
    widget.grab().save(QString(dir) + "/" + name + ".png");
}

// How many pixels of two drawings of one size differ. When any do, both
// are saved as NAME-ours.png and NAME-theirs.png in the temporary folder.
inline int PixelsApart(const QImage& ours, const QImage& theirs, const QString& name) {
  int differ = 0;
  for (int y = 0; y < ours.height(); ++y)
    for (int x = 0; x < ours.width(); ++x) differ += ours.pixel(x, y) != theirs.pixel(x, y);
  if (differ) {
    ours.save(QDir::temp().filePath(name + "-ours.png"));
    theirs.save(QDir::temp().filePath(name + "-theirs.png"));
  }
  return differ;
}

// How many pixels of a widget's drawing are not its ground colour (the
// colour of its top-left corner): a blank drawing has none.
inline int InkedPixels(QWidget& widget) {
  const QImage image = widget.grab().toImage();
  const QRgb ground = image.pixel(0, 0);
  int inked = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) inked += image.pixel(x, y) != ground;
  return inked;
}

// Whether a tab of the chart window (qt::ChartTab) draws its chart: no
// message in its place, and a drawing with more than ink pixels on it.
template <class Tab>
bool DrawsChart(Tab& tab, int ink = 5000) {
  return !tab.message()->isVisible() && tab.view()->isVisible() && InkedPixels(*tab.view()) > ink;
}

// What assistive technology was told while the recorder was alive.
class AccessibleRecorder {
 public:
  struct Heard {
    QObject* object;
    QAccessible::Event type;
  };

  AccessibleRecorder() {
    heard().clear();
    SetAccessibleListener(&Record);
  }
  ~AccessibleRecorder() { SetAccessibleListener(nullptr); }
  AccessibleRecorder(const AccessibleRecorder&) = delete;
  AccessibleRecorder& operator=(const AccessibleRecorder&) = delete;

  static std::vector<Heard>& heard() {
    static std::vector<Heard> all;
    return all;
  }
  static bool Told(QObject* object, std::initializer_list<QAccessible::Event> types) {
    for (const Heard& h : heard())
      for (QAccessible::Event type : types)
        if (h.object == object && h.type == type) return true;
    return false;
  }

 private:
  static void Record(QAccessibleEvent* event) { heard().push_back({event->object(), event->type()}); }
};

// The shown text boxes, lists and results of a window.
inline std::vector<Control*> Described(Form& form) {
  std::vector<Control*> out;
  for (const auto& c : form.controls())
    if (c->shown() && (c->kind() == Kind::TextBox || c->kind() == Kind::List || IsResult(*c)))
      out.push_back(c.get());
  return out;
}

// Each shown box, list and result has an accessible name: the caption of
// the label beside or above it, which is its buddy; a result's value is its
// text. names lists some controls with the caption a person reads for them.
inline void CheckAccessibleNames(View& view, Form& form,
                                 std::initializer_list<std::pair<const char*, const char*>> names) {
  for (Control* c : Described(form)) {
    const QByteArray id = QByteArray::fromStdString(c->id());
    QWidget* widget = view.widget(c->id());
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    QVERIFY2(face, id);
    const QString name = face->text(QAccessible::Name);
    if (std::getenv("CALC_NAMES")) qInfo("%s: %s", id.constData(), qPrintable(name));
    QVERIFY2(!name.isEmpty(), id);
    // The one caption rule names it (core/reading.h).
    QCOMPARE(name, QString::fromStdString(CaptionOf(form, *c)));
    for (QLabel* label : view.findChildren<QLabel*>())
      if (label->buddy() == widget) QCOMPARE(name, label->text().simplified());
    if (c->kind() == Kind::Label)
      QCOMPARE(face->text(QAccessible::Value), QString::fromStdString(c->text()));
  }
  for (const auto& [id, caption] : names) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(view.widget(id));
    QVERIFY2(face, id);
    QCOMPARE(face->text(QAccessible::Name), QString::fromUtf8(caption));
  }
}

// Typing good into goodBox and pressing compute tells assistive technology
// of every result whose text changed (returns how many did, -1 when one was
// not told); then typing bad into badBox (if any) and pressing compute again
// raises an alert for lblError (-1 when not).
inline int CheckAnnounced(View& view, Form& form, const char* compute, const char* goodBox,
                          const char* good, const char* badBox, const char* bad) {
  auto* button = qobject_cast<QPushButton*>(view.widget(compute));
  auto* edit = qobject_cast<QLineEdit*>(view.widget(goodBox));
  if (!button || !edit) return -1;
  // Results, and labels that read as a whole ("Pressure = 14.695 psia").
  std::vector<std::pair<Control*, std::string>> before;
  for (const auto& c : form.controls())
    if (c->shown() && (IsResult(*c) || (c->kind() == Kind::Label && c->look == Look::Text)))
      before.push_back({c.get(), c->text()});
  int changed = 0;
  {
    AccessibleRecorder recorder;
    edit->selectAll();
    QTest::keyClicks(edit, good);
    QTest::mouseClick(button, Qt::LeftButton);
    for (const auto& [c, text] : before) {
      if (c->text() == text || !c->shown()) continue;
      ++changed;
      if (!AccessibleRecorder::Told(view.widget(c->id()),
                                    {QAccessible::TextUpdated, QAccessible::ValueChanged,
                                     QAccessible::NameChanged})) {
        qWarning("no event for %s", c->id().c_str());
        return -1;
      }
    }
  }
  if (!badBox) return changed;
  AccessibleRecorder recorder;
  auto* wrong = qobject_cast<QLineEdit*>(view.widget(badBox));
  if (!wrong) return -1;
  wrong->selectAll();
  QTest::keyClicks(wrong, bad);
  QTest::mouseClick(button, Qt::LeftButton);
  if (!view.widget("lblError")->isVisible()) return -1;
  if (!AccessibleRecorder::Told(view.widget("lblError"), {QAccessible::Alert})) return -1;
  return changed;
}

struct Announcing {
  const char* compute;
  const char* goodBox;
  const char* good;
  const char* badBox;  // nullptr: the window reads every text as some number
  const char* bad;
  bool results;  // whether a compute shows results (a window may print them)
};

// The accessibility test of a window, as every window's GUI test runs it.
template <class Window>
void CheckDescribed(std::initializer_list<std::pair<const char*, const char*>> names,
                    const Announcing& a) {
  Window form;
  View view(form);
  form.Load();
  view.show();
  CheckAccessibleNames(view, form, names);
  if (QTest::currentTestFailed()) return;
  const int changed = CheckAnnounced(view, form, a.compute, a.goodBox, a.good, a.badBox, a.bad);
  QVERIFY(changed >= 0);
  QVERIFY(changed > 0 || !a.results);
}

// The object names of the widgets Tab reaches from the focus, one press each.
inline QStringList TabWalk(int presses) {
  QStringList names;
  for (int i = 0; i < presses; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    names << QApplication::focusWidget()->objectName();
  }
  if (std::getenv("CALC_NAMES")) qInfo("%s", qPrintable(names.join(' ')));
  return names;
}

// The text the script mode shows for a control after the commands of
// script, run on a fresh window of the same kind.
inline QString ScriptText(Form& fresh, const std::string& script, const std::string& id) {
  std::istringstream in(script + "show " + id + "\n");
  std::ostringstream out, err;
  if (RunScript(fresh, in, out, err) != 0) return "script failed: " + QString::fromStdString(err.str());
  const std::string json = out.str();
  const std::string key = "\"text\":\"";
  const size_t at = json.rfind(key);
  if (at == std::string::npos) return {};
  const size_t end = json.find('"', at + key.size());
  return QString::fromStdString(json.substr(at + key.size(), end - at - key.size()));
}

// The line the script mode shows for a control after the commands of script,
// run on a fresh window of the same kind, to compare with ControlJson of the
// window driven by the keyboard.
inline std::string ScriptShows(Form& fresh, const std::string& script, const std::string& id) {
  std::istringstream in(script + "show " + id + "\n");
  std::ostringstream out, err;
  if (RunScript(fresh, in, out, err) != 0) return "script failed: " + err.str();
  std::string json = out.str();
  json.pop_back();  // the line end
  return json.substr(json.rfind('\n') + 1);
}

// A double-click, a press-and-drag and a middle-click paste in a box that
// nobody has touched yet do what they do in any box: the same as in a
// QLineEdit of its own with the same text, font and size.
inline void CheckFreshBoxMouse(QLineEdit* box, const QString& name) {
  QVERIFY(box);
  QVERIFY2(!box->hasFocus() && !box->isModified(), qPrintable(name));
  QLineEdit reference(box->text());
  reference.setFont(box->font());
  reference.setFixedSize(box->size());
  reference.setReadOnly(box->isReadOnly());
  reference.show();
  QVERIFY(QTest::qWaitForWindowExposed(&reference));
  const int mid = box->height() / 2;
  const QPoint start(4, mid), end(box->width() - 4, mid);
  struct Action {
    const char* what;
    void (*act)(QWidget*, QPoint, QPoint);
  };
  const Action actions[] = {
      {"double-click",
       [](QWidget* w, QPoint a, QPoint) { QTest::mouseDClick(w, Qt::LeftButton, {}, a); }},
      {"press-and-drag",
       [](QWidget* w, QPoint a, QPoint b) {
         QTest::mousePress(w, Qt::LeftButton, {}, a);
         QTest::mouseMove(w, (a + b) / 2);
         QTest::mouseMove(w, b);
         QTest::mouseRelease(w, Qt::LeftButton, {}, b);
       }},
      {"middle-click",
       [](QWidget* w, QPoint a, QPoint) { QTest::mouseClick(w, Qt::MiddleButton, {}, a); }},
  };
  QApplication::clipboard()->setText("7.5", QClipboard::Selection);
  const QString text = box->text();
  for (const Action& action : actions) {
    box->setText(text);
    reference.setText(text);
    box->deselect();
    reference.deselect();
    action.act(box, start, end);
    action.act(&reference, start, end);
    const QByteArray what = (name + ": " + action.what).toUtf8();
    QVERIFY2(box->text() == reference.text(), what);
    QVERIFY2(box->selectedText() == reference.selectedText(), what);
    QVERIFY2(box->cursorPosition() == reference.cursorPosition(), what);
    if (action.act != actions[2].act) QVERIFY2(!box->selectedText().isEmpty(), what);
  }
}

}  // namespace qt
