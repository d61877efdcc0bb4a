// The Qt binding of the isentropic window, on the offscreen platform.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "flowtables/isentropic_window.h"
#include "qt/guitest.h"
#include "qt/view.h"

class IsentropicGui : public QObject {
  Q_OBJECT
 private slots:
  void opensWithCaptionAndDefaults() {
    qt::Opened<flowtables::Isentropic> opened;
    auto& [form, view] = opened;
    QCOMPARE(view.windowTitle(),
             QString("Isentropic Flow by QMX 03.05.2005                "
                     "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"));
    auto* t1 = qobject_cast<QLabel*>(view.widget("lblt1"));
    QVERIFY(t1);
    QCOMPARE(t1->text(), QString("0.8333"));
    QCOMPARE(t1->objectName(), QString("lblt1"));
    qt::SaveShot(view, "isentropic");
    form.UserClick(*form.FindById("optTable"));
    qt::SaveShot(view, "isentropic-table");
  }

  void typingAndComputeGoThroughTheModel() {
    qt::Opened<flowtables::Isentropic> opened;
    auto& [form, view] = opened;
    qt::TypeInto(view, form, "txtm1", "2");
    qt::Press(view, "cmdscompute");
    QCOMPARE(qobject_cast<QLabel*>(view.widget("lblt1"))->text(), QString("0.5556"));
    // Hidden frames hide their widgets.
    qt::CheckShown(view, {"frasingle"}, {"fraMulti", "lblError"});
  }

  void enterComputesAndCopyTakesTheRows() {
    qt::Opened<flowtables::Isentropic> opened;
    auto& [form, view] = opened;
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    auto* m1 = qt::FindBox(view, "txtm1");
    m1->setFocus();
    qt::Retype(m1, "2");
    QTest::keyClick(m1, Qt::Key_Return);
    QCOMPARE(qobject_cast<QLabel*>(view.widget("lblt1"))->text(), QString("0.5556"));

    QWidget* compute = view.widget("cmdscompute");
    compute->setFocus();
    QTest::keyClick(compute, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(),
             QString("Mach Number\tT/Tt\tp/pt\tρ/ρτ\tA/A*\n2.\t0.5556\t0.1278\t0.23\t1.6875\n"));
    QTest::keyClick(compute, Qt::Key_Escape);
    QVERIFY(view.isVisible());
  }

  // The table's widgets are built only when the table is first shown, and
  // then take their place in the window like any other.
  void hiddenTableIsBuiltWhenShown() {
    flowtables::Isentropic form;
    form.Load();  // as a program starts: the view comes after the first computation
    qt::View view(form);
    view.show();
    QVERIFY(!view.findChild<QWidget*>("fraMulti"));
    QVERIFY(!view.findChild<QWidget*>("txtMinm"));
    auto* table = view.findChild<QRadioButton*>("optTable");
    QVERIFY(table);
    QTest::mouseClick(table, Qt::LeftButton, {}, QPoint(6, table->height() / 2));
    auto* multi = view.findChild<QWidget*>("fraMulti");
    QVERIFY(multi && multi->isVisible());
    QVERIFY(!view.findChild<QWidget*>("frasingle")->isVisible());
    auto* shown = view.findChild<QWidget*>("txtMinm");
    QVERIFY(shown && shown->isVisible());
    // Reaching for the box gives the real one, in the same place.
    auto* minimum = qt::FindBox(view, "txtMinm");
    QVERIFY(minimum && minimum->isVisible());
    QCOMPARE(minimum->text().toStdString(), form.FindById("txtMinm")->text());
    QCOMPARE(minimum->geometry().topLeft(), QPoint(150, 40));
    // Enter in a box built late still computes, and the table fills in.
    auto* compute = view.findChild<QPushButton*>("cmdMcompute");
    QVERIFY(compute);
    minimum->setFocus();
    QTest::keyClick(minimum, Qt::Key_Return);
    QVERIFY(!view.widget("lblError")->isVisible());
    // Tab moves on from the new box to the next box of its own frame.
    QCOMPARE(minimum->nextInFocusChain(), view.findChild<QWidget*>("txtMaxm"));
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<flowtables::Isentropic>({{"txtg", "γ"}, {"txtm1", "M"}, {"lblt1", "T/Tt"}}, {"cmdscompute", "txtm1", "1.1", "txtm1", "x", true});
  }

  // The keyboard alone: the window opens on its first input, Tab follows
  // the reading order (inputs, then the buttons, compute first), the arrows
  // choose among the options, and typing and Enter compute what the script
  // mode computes.
  void keyboardOnly() {
    qt::Opened<flowtables::Isentropic> opened;
    auto& [form, view] = opened;
    view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("optSingle"));
    QCOMPARE(qt::TabWalk(5),
             QStringList({"txtm1", "txtg", "cmdscompute", "cmdend", "optSingle"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("OptSingleAA"));
    QVERIFY(static_cast<core::Option*>(form.FindById("OptSingleAA"))->value());
    QVERIFY(view.widget("Txtaa1")->isVisible());
    QCOMPARE(qt::TabWalk(2), QStringList({"Txtaa1", "txtg"}));
    QTest::keyClick(view.widget("OptSingleAA"), Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("optSingle"));
    QVERIFY(static_cast<core::Option*>(form.FindById("optSingle"))->value());

    QCOMPARE(qt::TabWalk(1), QStringList({"txtm1"}));
    QWidget* box = QApplication::focusWidget();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, "2");
    QTest::keyClick(box, Qt::Key_Return);
    flowtables::Isentropic fresh;
    const QString expected =
        qt::ScriptText(fresh, "type txtm1 2\nclick cmdscompute\n", "lblt1");
    QCOMPARE(qobject_cast<QLabel*>(view.widget("lblt1"))->text(), expected);
    QCOMPARE(expected, QString("0.5556"));
  }

  // The mouse in the γ box of a freshly opened window.
  void freshBoxTakesTheMouseAsAnyBox() {
    qt::Opened<flowtables::Isentropic> opened;
    auto& [form, view] = opened;
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    qt::CheckFreshBoxMouse(qt::FindBox(view, "txtg"), "txtg");
  }
};

QTEST_MAIN(IsentropicGui)
#include "isentropic_gui_test.moc"
