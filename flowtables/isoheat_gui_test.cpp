// The Qt binding of the isoheat window, on the offscreen platform.
#include "flowtables/isoheat_window.h"
#include "flowtables/table_gui.h"

class Gui : public QObject {
  Q_OBJECT
 private slots:
  void opensAndComputes() {
    flowtables::CheckWindow<flowtables::IsoHeat>(
        QString("Isothermal Flow w/ Heat Transfer & Area Change by QMX 03.05.2005        FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"),
        {"txtm1", "2", "cmdscompute", "lblr1", "4.0831"}, "isoheat");
  }
};

QTEST_MAIN(Gui)
#include "isoheat_gui_test.moc"
