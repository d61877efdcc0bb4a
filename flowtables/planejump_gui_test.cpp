// The Qt binding of the planejump window, on the offscreen platform.
#include "flowtables/planejump_window.h"
#include "flowtables/table_gui.h"

class Gui : public QObject {
  Q_OBJECT
 private slots:
  void opensAndComputes() {
    flowtables::CheckWindow<flowtables::PlaneJump>(
        QString("Normal Shocks by QMX 03.05.2005                            FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"),
        {"txtm1", "3", "cmdscompute", "lblt1", "0.4752"}, "planejump");
  }
};

QTEST_MAIN(Gui)
#include "planejump_gui_test.moc"
