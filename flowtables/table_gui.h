// What the GUI test of each flow table window checks: the window opens with
// its exact caption, and a typed input and a click go through the widgets.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "qt/guitest.h"
#include "qt/view.h"

namespace flowtables {

struct GuiStep {
  const char* box;       // typed into
  const char* text;
  const char* button;    // then clicked
  const char* label;     // and read
  const char* expected;
};

template <class Window>
void CheckWindow(const QString& caption, const GuiStep& step, const QString& shot) {
  Window form;
  qt::View view(form);
  form.Load();
  view.show();
  QCOMPARE(view.windowTitle(), caption);
  qt::SaveShot(view, shot);

  auto* box = qobject_cast<QLineEdit*>(view.widget(step.box));
  auto* button = qobject_cast<QPushButton*>(view.widget(step.button));
  QVERIFY(box && button);
  box->selectAll();
  QTest::keyClicks(box, step.text);
  QCOMPARE(form.FindById(step.box)->text(), std::string(step.text));
  QTest::mouseClick(button, Qt::LeftButton);
  auto* result = qobject_cast<QLabel*>(view.widget(step.label));
  QVERIFY(result);
  QCOMPARE(result->text(), QString::fromUtf8(step.expected));
  QVERIFY(!view.widget("lblError")->isVisible());

  // The table through a click on its option.
  auto* table = qobject_cast<QRadioButton*>(view.widget("optTable"));
  QVERIFY(table);
  QTest::mouseClick(table, Qt::LeftButton, {}, QPoint(8, table->height() / 2));
  QVERIFY(table->isChecked());
  QVERIFY(view.widget("fraMulti")->isVisible());
  QVERIFY(!view.widget("frasingle")->isVisible());
  qt::SaveShot(view, shot + "-table");
}

}  // namespace flowtables

namespace flowtables {

// A supersonic input beyond the limit: the warning frame with the limit in
// place of the results, through real clicks.
template <class Window>
void CheckWarning(const char* option, const char* box, const char* text, const char* warning,
                  const char* limitLabel, const char* limit, const QString& shot) {
  Window form;
  qt::View view(form);
  form.Load();
  view.show();
  auto* radio = qobject_cast<QRadioButton*>(view.widget(option));
  QVERIFY(radio);
  QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
  auto* edit = qobject_cast<QLineEdit*>(view.widget(box));
  QVERIFY(edit && edit->isVisible());
  edit->selectAll();
  QTest::keyClicks(edit, text);
  {
    qt::AccessibleRecorder recorder;
    QTest::mouseClick(qobject_cast<QPushButton*>(view.widget("cmdscompute")), Qt::LeftButton);
    // A screen reader is told of the warning as it appears.
    QVERIFY(qt::AccessibleRecorder::Told(view.widget(warning), {QAccessible::Alert}));
  }
  QVERIFY(view.widget(warning)->isVisible());
  QVERIFY(!view.widget("frasingle")->isVisible());
  QCOMPARE(qobject_cast<QLabel*>(view.widget(limitLabel))->text(), QString(limit));
  qt::SaveShot(view, shot);
  // Typing again hides the warning and shows the results frame.
  QTest::keyClicks(edit, "5");
  QVERIFY(!view.widget(warning)->isVisible());
  QVERIFY(view.widget("frasingle")->isVisible());
}

}  // namespace flowtables
