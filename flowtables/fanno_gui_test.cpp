// The Qt binding of the fanno window, on the offscreen platform.
#include "flowtables/fanno_window.h"
#include "flowtables/table_gui.h"
#include "qt/guitest.h"

class Gui : public QObject {
  Q_OBJECT
 private slots:
  void opensAndComputes() {
    flowtables::CheckWindow<flowtables::Fanno>(
        QString("Fanno Line Flow by QMX 03.05.2005               FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"),
        {"txtm1", "2", "cmdscompute", "lblx1", "0.305"}, "fanno");
  }

  void warnsBeyondTheSupersonicLimit() {
    flowtables::CheckWarning<flowtables::Fanno>("Opts3", "txtfld2", "0.9", "Frame5", "lblxmax", "0.8215", "fanno-warning");
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<flowtables::Fanno>({}, {"cmdscompute", "txtm1", "1.1", "txtm1", "x", true});
  }
};

QTEST_MAIN(Gui)
#include "fanno_gui_test.moc"
