// The Qt binding of the isodrag window, on the offscreen platform.
#include "flowtables/isodrag_window.h"
#include "flowtables/table_gui.h"
#include "qt/guitest.h"

class Gui : public QObject {
  Q_OBJECT
 private slots:
  void opensAndComputes() {
    flowtables::CheckWindow<flowtables::IsoDrag>(
        QString("Isothermal Flow with Friction by QMX 03.05.2005                      FOR EDUCATIONAL PURPOSES ONLY (See Discalimer)"),
        {"txtm1", "2", "cmdscompute", "lblt1", "2.3664"}, "isodrag");
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<flowtables::IsoDrag>({}, {"cmdscompute", "txtg", "1.54", "txtg", "x", true});
  }
};

QTEST_MAIN(Gui)
#include "isodrag_gui_test.moc"
