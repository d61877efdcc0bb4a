#include "qt/units_action.h"

#include <QAction>
#include <QActionGroup>
#include <QSettings>
#include <QWidget>

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

QActionGroup* AddUnitsActions(QWidget& view, Form& form) {
  auto* group = new QActionGroup(&view);
  group->setExclusive(true);
  auto* separator = new QAction(&view);
  separator->setSeparator(true);
  view.addAction(separator);
  for (core::UnitSystem system : {core::UnitSystem::US, core::UnitSystem::SI}) {
    auto* action = new QAction(QString::fromUtf8(core::UnitSystemTitle(system)), group);
    action->setObjectName(QString("units-") + core::UnitSystemWord(system));
    action->setCheckable(true);
    action->setChecked(form.units() == system);
    QObject::connect(action, &QAction::triggered, &view, [&form, system] {
      form.UserUnits(system);
      RememberUnits(system);
    });
    view.addAction(action);
  }
  // A switch made elsewhere (a replayed case, a test) shows in the menu.
  form.Listen([&form, group] {
    for (QAction* action : group->actions())
      action->setChecked(action->objectName().endsWith(core::UnitSystemWord(form.units())));
  });
  return group;
}

}  // namespace qt
