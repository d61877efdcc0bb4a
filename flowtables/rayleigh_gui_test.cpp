// The Qt binding of the rayleigh window, on the offscreen platform.
#include "flowtables/rayleigh_window.h"
#include "flowtables/table_gui.h"
#include "qt/guitest.h"

class Gui : public QObject {
  Q_OBJECT
 private slots:
  void opensAndComputes() {
    flowtables::CheckWindow<flowtables::Rayleigh>(
        QString("Rayleigh Line Flow by QMX 03.05.2005                          FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"),
        {"txtm1", "2", "cmdscompute", "lblx1", "0.7934"}, "rayleigh");
  }

  void warnsBeyondTheSupersonicLimit() {
    flowtables::CheckWarning<flowtables::Rayleigh>("Opttt2", "Txttt2", "0.48", "Frame5", "Lblttmin", "0.4898", "rayleigh-warning");
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<flowtables::Rayleigh>({}, {"cmdscompute", "txtm1", "1.1", "txtm1", "x", true});
  }
};

QTEST_MAIN(Gui)
#include "rayleigh_gui_test.moc"
