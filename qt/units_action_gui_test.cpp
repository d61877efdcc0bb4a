// The unit system from the window's context menu: the boxes show SI at
// once, the menu follows a switch made elsewhere, and the choice is kept for
// the next start of any program.
#include <QAction>
#include <QActionGroup>
#include <QLineEdit>
#include <QStandardPaths>
#include <QtTest>

#include "core/form.h"
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
};

}  // namespace

QTEST_MAIN(UnitsActionGui)
#include "units_action_gui_test.moc"
