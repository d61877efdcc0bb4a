#include "qt/units_action.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QSettings>
#include <QWidget>

#include "qt/status_line.h"
#include "qt/view.h"

namespace qt {

namespace {

constexpr const char* kKey = "units";

QSettings Settings() { return QSettings("flow-calculators", "calculators"); }

}  // namespace

core::UnitSystem StartingUnits(const QString& asked) {
  if (auto system = core::UnitSystemNamed(asked.toStdString())) return *system;
  const QString kept = Settings().value(kKey).toString();
  if (auto system = core::UnitSystemNamed(kept.toStdString())) return *system;
  return core::UnitSystem::US;
}

void RememberUnits(core::UnitSystem system) {
  Settings().setValue(kKey, QString::fromUtf8(core::UnitSystemWord(system)));
}

bool HasQuantities(const Form& form) {
  for (const auto& control : form.controls())
    if (control->unit()) return true;
  return false;
}

QActionGroup* AddUnitsActions(View& view, Form& form) {
  auto* group = new QActionGroup(&view);
  group->setExclusive(true);
  auto* separator = new QAction(&view);
  separator->setSeparator(true);
  view.addAction(separator);
  const auto choose = [&form](core::UnitSystem system) {
    if (form.units() != system) form.UserUnits(system);
    RememberUnits(system);
  };
  for (core::UnitSystem system : {core::UnitSystem::US, core::UnitSystem::SI}) {
    auto* action = new QAction(QString::fromUtf8(core::UnitSystemTitle(system)), group);
    action->setObjectName(QString("units-") + core::UnitSystemWord(system));
    action->setCheckable(true);
    action->setChecked(form.units() == system);
    QObject::connect(action, &QAction::triggered, &view, [choose, system] { choose(system); });
    view.addAction(action);
  }
  // On the status line, where it is seen: short names, the full titles in
  // the list's tooltip.
  QComboBox* choice = nullptr;
  if (HasQuantities(form)) {
    choice = &StatusLineOf(view).unitsChoice();
    choice->addItem("US customary", QString("us"));
    choice->addItem("SI", QString("si"));
    for (int i = 0; i < 2; ++i)
      choice->setItemData(i, QString::fromUtf8(core::UnitSystemTitle(i ? core::UnitSystem::SI
                                                                         : core::UnitSystem::US)),
                          Qt::ToolTipRole);
    choice->setToolTip("Units of the window's numbers");
    choice->setCurrentIndex(form.units() == core::UnitSystem::SI ? 1 : 0);
    QObject::connect(choice, &QComboBox::activated, &view, [choose](int index) {
      choose(index ? core::UnitSystem::SI : core::UnitSystem::US);
    });
  }
  // A switch made elsewhere (a replayed case, a test) shows in both.
  form.Listen([&form, group, choice] {
    for (QAction* action : group->actions())
      action->setChecked(action->objectName().endsWith(core::UnitSystemWord(form.units())));
    if (choice) choice->setCurrentIndex(form.units() == core::UnitSystem::SI ? 1 : 0);
  });
  return group;
}

}  // namespace qt
