// The Qt binding of the planejump window, on the offscreen platform.
#include "flowtables/planejump_window.h"
#include "flowtables/table_gui.h"
#include "qt/guitest.h"

class Gui : public QObject {
  Q_OBJECT
 private slots:
  void opensAndComputes() {
    flowtables::CheckWindow<flowtables::PlaneJump>(
        QString("Normal Shocks by QMX 03.05.2005                            FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"),
        {"txtm1", "3", "cmdscompute", "lblt1", "0.4752"}, "planejump");
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<flowtables::PlaneJump>({}, {"cmdscompute", "txtg", "1.54", "txtg", "x", true});
  }
};

QTEST_MAIN(Gui)
#include "planejump_gui_test.moc"
