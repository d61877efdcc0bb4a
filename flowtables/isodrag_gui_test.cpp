// The Qt binding of the isodrag window, on the offscreen platform.
#include "flowtables/isodrag_window.h"
#include "flowtables/table_gui.h"

class Gui : public QObject {
  Q_OBJECT
 private slots:
  void opensAndComputes() {
    flowtables::CheckWindow<flowtables::IsoDrag>(
        QString("Isothermal Flow with Friction by QMX 03.05.2005                      FOR EDUCATIONAL PURPOSES ONLY (See Discalimer)"),
        {"txtm1", "2", "cmdscompute", "lblt1", "2.3664"}, "isodrag");
  }
};

QTEST_MAIN(Gui)
#include "isodrag_gui_test.moc"
