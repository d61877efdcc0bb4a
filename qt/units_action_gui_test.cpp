// The unit system from the window's context menu: the boxes show SI at
// once, the menu follows a switch made elsewhere, and the choice is kept for
// the next start of any program.
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QStandardPaths>
#include <QtTest>

#include "core/form.h"
#include "qt/guitest.h"
#include "qt/status_line.h"
#include "qt/units_action.h"
#include "qt/view.h"

namespace {

class Boiler : public core::Form {
 public:
  Boiler() : Form("Boiler", 300, 120) {
    AddLabel("lblT", "Temperature (R)", {10, 10, 150, 22});
    AddTextBox("txtT", {170, 10, 80, 22})->setText("518.67");
    Measure("txtT", core::Quantity::Temperature);
  }
};

// Ratios only: nothing to show in another unit.
class Ratios : public core::Form {
 public:
  Ratios() : Form("Ratios", 300, 60) {
    AddLabel("lblM", "Mach number", {10, 10, 150, 22});
    AddTextBox("txtM", {170, 10, 80, 22})->setText("2");
  }
};

class UnitsActionGui : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void choosingSIShowsItAndIsKept() {
    qt::RememberUnits(core::UnitSystem::US);
    Boiler form;
    form.Load();
    qt::View view(form);
    QActionGroup* group = qt::AddUnitsActions(view, form);
    QCOMPARE(group->actions().size(), 2);
    for (QAction* action : group->actions()) QVERIFY(view.actions().contains(action));
    QVERIFY(group->actions()[0]->isChecked());
    group->actions()[1]->trigger();
    QCOMPARE(form.units(), core::UnitSystem::SI);
    QCOMPARE(QString::fromStdString(form.FindById("txtT")->text()), QString("288.15"));
    QCOMPARE(QString::fromStdString(form.FindById("lblT")->text()), QString("Temperature (K)"));
    auto* box = view.findChild<QLineEdit*>();
    QVERIFY(box);
    QCOMPARE(box->text(), QString("288.15"));
    // Kept for the next start, unless the command line asks otherwise.
    QCOMPARE(qt::StartingUnits(""), core::UnitSystem::SI);
    QCOMPARE(qt::StartingUnits("us"), core::UnitSystem::US);
    // A switch made elsewhere shows in the menu.
    form.UserUnits(core::UnitSystem::US);
    QVERIFY(group->actions()[0]->isChecked());
    QCOMPARE(box->text(), QString("518.67"));
    qt::RememberUnits(core::UnitSystem::US);
  }

  // The choice seen on the status line: by keyboard, and following a switch
  // made in the menu.
  void statusLineChoice() {
    qt::RememberUnits(core::UnitSystem::US);
    Boiler form;
    form.Load();
    qt::View view(form);
    const int before = view.canvas()->height();
    QActionGroup* group = qt::AddUnitsActions(view, form);
    auto* choice = view.findChild<QComboBox*>("unitsChoice");
    QVERIFY(choice);
    QCOMPARE(choice->count(), 2);
    QCOMPARE(choice->currentText(), QString("US customary"));
    QCOMPARE(choice->accessibleName(), QString("Units"));
    QVERIFY(view.canvas()->height() > before);  // the line adds to the window
    QVERIFY(qt::ShowAt(view, view.size()));
    auto* line = view.findChild<qt::StatusLine*>();
    QVERIFY(line && line->isVisible());
    QVERIFY(!line->openButton()->isVisible());  // no file written yet
    QVERIFY(choice->isVisible());
    QVERIFY(choice->geometry().right() <= line->width());
    choice->setFocus();
    QTest::keyClick(choice, Qt::Key_Down);
    QCOMPARE(form.units(), core::UnitSystem::SI);
    QCOMPARE(QString::fromStdString(form.FindById("txtT")->text()), QString("288.15"));
    QVERIFY(group->actions()[1]->isChecked());
    QCOMPARE(qt::StartingUnits(""), core::UnitSystem::SI);
    qt::SaveShot(view, "units-status-line");
    group->actions()[0]->trigger();
    QCOMPARE(choice->currentIndex(), 0);
    QCOMPARE(QString::fromStdString(form.FindById("txtT")->text()), QString("518.67"));
    qt::RememberUnits(core::UnitSystem::US);
  }

  void noChoiceWithoutQuantities() {
    Ratios form;
    form.Load();
    qt::View view(form);
    const int before = view.canvas()->height();
    qt::AddUnitsActions(view, form);
    QVERIFY(!view.findChild<QComboBox*>("unitsChoice"));
    QVERIFY(!view.findChild<qt::StatusLine*>());
    QCOMPARE(view.canvas()->height(), before);
  }
};

}  // namespace

QTEST_MAIN(UnitsActionGui)
#include "units_action_gui_test.moc"
