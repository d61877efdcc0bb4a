// The Qt binding of the shock window, on the offscreen platform.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <QListWidget>
#include "qt/guitest.h"
#include "qt/view.h"
#include "shock/shock_window.h"

class ShockGui : public QObject {
  Q_OBJECT
 private slots:
  void opensWithCaptionAndDefaults() {
    qt::Opened<shock::Shock> opened;
    auto& [form, view] = opened;
    QCOMPARE(view.windowTitle(), QString("Shock Analysis by QMX 03.05.2005       "
                                         "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"));
    auto* type = qt::FindList(view, "lsttype");
    QVERIFY(type);
    QCOMPARE(type->currentRow(), 0);
    QVERIFY(!view.widget("frainpt2")->isVisible());
    form.UserClick(*form.FindById("cmdCalculate"));
    qt::SaveShot(view, "shock");
    form.UserSelect(*static_cast<core::ListBox*>(form.FindById("lsttype")), 3);
    form.UserType(*static_cast<core::TextBox*>(form.FindById("txtdl")), "45");
    form.UserClick(*form.FindById("cmdCalculate"));
    QVERIFY(view.widget("fradet")->isVisible());
    qt::SaveShot(view, "shock-detached");
  }

  void typingAndCalculateGoThroughTheWidgets() {
    qt::Opened<shock::Shock> opened;
    auto& [form, view] = opened;
    auto* type = qt::FindList(view, "lsttype");
    type->setCurrentRow(1);
    QVERIFY(view.widget("fraresults3")->isVisible());
    auto* angle = qt::FindBox(view, "txtdl");
    QVERIFY(angle);
    qt::TypeInto(view, form, "txtdl", "30");
    qt::Press(view, "cmdCalculate");
    QCOMPARE(angle->text(), QString("22.974"));
    QCOMPARE(qt::FindBox(view, "txtdx")->text(), QString("22.974"));
    qt::SaveShot(view, "shock-oblique");
    QVERIFY(!view.widget("lblError")->isVisible());
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<shock::Shock>({}, {"cmdCalculate", "txtg", "1.54", "txtg", "x", true});
  }
};

QTEST_MAIN(ShockGui)
#include "shock_gui_test.moc"
