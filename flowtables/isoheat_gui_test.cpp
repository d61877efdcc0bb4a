// The Qt binding of the isoheat window, on the offscreen platform.
#include "flowtables/isoheat_window.h"
#include "flowtables/table_gui.h"
#include "qt/guitest.h"

class Gui : public QObject {
  Q_OBJECT
 private slots:
  void opensAndComputes() {
    flowtables::CheckWindow<flowtables::IsoHeat>(
        QString("Isothermal Flow w/ Heat Transfer & Area Change by QMX 03.05.2005        FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"),
        {"txtm1", "2", "cmdscompute", "lblr1", "4.0831"}, "isoheat");
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<flowtables::IsoHeat>({}, {"cmdscompute", "txtm1", "1.1", "txtg", "x", true});
  }
};

QTEST_MAIN(Gui)
#include "isoheat_gui_test.moc"
