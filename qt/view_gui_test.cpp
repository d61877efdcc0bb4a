// The colours of a window as drawn: text inherits the window's black, and
// only titles, warnings and frame captions have colours of their own.
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>
#include <algorithm>
#include <cmath>

#include "core/form.h"
#include "qt/guitest.h"
#include "qt/style.h"
#include "qt/view.h"

namespace {

class Sample : public core::Form {
 public:
  Sample() : Form("Sample", 420, 260) {
    AddLabel("lblTitle", "Sample Title", {10, 4, 400, 30}, nullptr, core::Look::Title);
    core::Frame* box = AddFrame("Frame1", "Inputs", {10, 40, 400, 120});
    AddLabel("lblInside", "Mach number", {10, 30, 150, 20}, box);
    AddTextBox("txtM", {200, 30, 80, 22}, box);
    core::Frame* bare = AddFrame("Frame2", "", {10, 170, 400, 60}, nullptr, false);
    AddLabel("lblWarn", "Value out of range", {10, 5, 200, 20}, bare, core::Look::Warning);
  }
};

class Boxes : public core::Form {
 public:
  Boxes() : Form("Boxes", 420, 260) {
    AddTextBox("txtA", {200, 10, 80, 22});
    AddTextBox("txtB", {200, 50, 80, 22});
    AddTextBox("txtC", {200, 90, 80, 22});
    AddTextBox("txtD", {200, 130, 80, 22})->setText("12");
    AddTextBox("txtE", {200, 170, 80, 22})->readOnly = true;
  }
};

struct Tally {
  int black = 0, red = 0, darkRed = 0, blue = 0;
};

Tally Count(const QImage& image, const QRect& area) {
  Tally tally;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() < 60 && c.green() < 60 && c.blue() < 60) ++tally.black;
      if (c.red() > 200 && c.green() < 60 && c.blue() < 60) ++tally.red;
      if (c.red() > 90 && c.red() < 170 && c.green() < 40 && c.blue() < 40) ++tally.darkRed;
      if (c.blue() > 200 && c.red() < 60 && c.green() < 60) ++tally.blue;
    }
  return tally;
}

// The contrast ratio of two colours, as accessibility guidelines reckon it.
double Contrast(const QColor& a, const QColor& b) {
  auto luminance = [](const QColor& c) {
    auto channel = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

class ViewGui : public QObject {
  Q_OBJECT

 private slots:
  void textColoursAsDesigned() {
    Sample form;
    qt::View view(form);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QImage image = view.grab().toImage();
    auto areaOf = [&](const char* id) {
      QWidget* widget = view.widget(id);
      return QRect(widget->mapTo(&view, QPoint(0, 0)), widget->size());
    };
    struct Case {
      const char* id;
      bool black, red, darkRed, blue;
    };
    const Case cases[] = {
        {"lblTitle", false, false, false, true},
        {"lblInside", true, false, false, false},  // inside a frame with a red caption
        {"lblWarn", false, true, false, false},
    };
    for (const Case& c : cases) {
      const Tally tally = Count(image, areaOf(c.id));
      QVERIFY2((tally.black > 0) == c.black, c.id);
      QVERIFY2((tally.red > 0) == c.red, c.id);
      QVERIFY2((tally.darkRed > 0) == c.darkRed, c.id);
      QVERIFY2((tally.blue > 0) == c.blue, c.id);
    }
    // The caption is set into the frame's top edge, in dark red.
    const QRect frame = areaOf("Frame1");
    const Tally caption = Count(image, QRect(frame.topLeft(), QSize(80, 16)));
    QVERIFY(caption.darkRed > 0);
    QCOMPARE(caption.black, 0);
  }

  void typedTextIsBlack() {
    Sample form;
    qt::View view(form);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTest::keyClicks(view.widget("txtM"), "2.5");
    const QImage image = view.grab().toImage();
    QWidget* box = view.widget("txtM");
    const Tally tally = Count(image, QRect(box->mapTo(&view, QPoint(0, 0)), box->size()));
    QVERIFY(tally.black > 0);
    QCOMPARE(tally.red + tally.darkRed, 0);
  }

  // Every box is a real one from the start: Tab, clicks and typing reach
  // the model, and a result set by the program shows in its box.
  void boxesReachedByTabAndClickTakeTyping() {
    Boxes form;
    qt::View view(form);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    auto* first = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(first);
    QCOMPARE(first->objectName(), QString("txtA"));
    for (const char* id : {"txtB", "txtC", "txtD", "txtE"})
      QVERIFY(qobject_cast<QLineEdit*>(view.findChild<QWidget*>(id)));

    QTest::keyClick(first, Qt::Key_Tab);
    auto* second = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(second);
    QCOMPARE(second->objectName(), QString("txtB"));
    QTest::keyClicks(second, "3");
    QCOMPARE(form.FindById("txtB")->text(), std::string("3"));
    QTest::keyClick(second, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("txtC"));

    // A click lands where it was made, in the box's text.
    auto* fourth = view.findChild<QLineEdit*>("txtD");
    QTest::mouseClick(fourth, Qt::LeftButton, {}, QPoint(5, fourth->height() / 2));
    QCOMPARE(QApplication::focusWidget(), fourth);
    QCOMPARE(fourth->geometry(), QRect(200, 130, 80, 22));
    QTest::keyClicks(fourth, "4");
    QCOMPARE(form.FindById("txtD")->text(), std::string("412"));

    static_cast<core::TextBox*>(form.FindById("txtE"))->setText("0.25");
    auto* result = qt::FindBox(view, "txtE");
    QVERIFY(result && result->isReadOnly());
    QCOMPARE(result->text(), QString("0.25"));
  }

  // A list reached by Tab shows where the focus is; the arrows choose in it.
  void listReachedByTabShowsItsFocus() {
    QApplication::setStyle(new qt::SuiteStyle);  // as every program runs
    core::Form form("Lists", 300, 200);
    form.AddTextBox("txtA", {10, 10, 80, 24});
    auto* list = form.AddList("lstB", {"c", "cd"}, {10, 50, 80, 40});
    list->setListIndex(0);
    qt::View view(form);
    view.show();
    view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QWidget* widget = view.widget("lstB");
    const QImage before = widget->grab().toImage();
    QTest::keyClick(view.widget("txtA"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), widget);
    QCOMPARE(list->listIndex(), 0);  // reaching a list chooses nothing
    const QImage focused = widget->grab().toImage();
    if (const char* dir = std::getenv("CALC_SHOT_DIR")) {
      before.save(QString(dir) + "/list-unfocused.png");
      focused.save(QString(dir) + "/list-focused.png");
    }
    QVERIFY(qt::PixelsApart(before, focused, "list-focus") > 20);
    // The mark stands out from what it is drawn over by at least 3:1, along
    // every edge of the list.
    const auto marked = [&](int x, int y) {
      return Contrast(focused.pixelColor(x, y), before.pixelColor(x, y)) >= 3.0;
    };
    const int w = focused.width(), h = focused.height();
    int edge = 0;
    for (int x = 0; x < w; ++x) edge += marked(x, 0) + marked(x, h - 1);
    for (int y = 0; y < h; ++y) edge += marked(0, y) + marked(w - 1, y);
    QVERIFY2(edge >= 2 * (w + h) - 8, qPrintable(QString::number(edge)));
    QTest::keyClick(widget, Qt::Key_Down);
    QCOMPARE(list->listIndex(), 1);
    qt::SaveShot(view, "list-focus");
  }
};

QTEST_MAIN(ViewGui)
#include "view_gui_test.moc"
