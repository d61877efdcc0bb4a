// The Qt binding of the mean-line window, on the offscreen platform.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <QGraphicsTextItem>
#include <QLabel>
#include <QListWidget>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

#include "bladerow/bladerow_window.h"
#include "qt/chart_window.h"
#include "qt/guitest.h"
#include "qt/view.h"

class BladerowGui : public QObject {
  Q_OBJECT
 private slots:
  void opensWithCaption() {
    qt::Opened<bladerow::Bladerow> opened;
    auto& [form, view] = opened;
    QCOMPARE(view.windowTitle(),
             QString("Turbomachinery Analysis by QMX 03.05.2005                      "
                     "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"));
    qt::CheckShown(view, {"fraaxct"}, {"Fragas"});
    qt::Press(view, "cmdCalculate");
    qt::SaveShot(view, "bladerow");
  }

  void typingMachineAndCalculate() {
    qt::Opened<bladerow::Bladerow> opened;
    auto& [form, view] = opened;
    auto* type = qt::FindList(view, "lsttype");
    auto* gas = qt::FindList(view, "lstgas");
    QVERIFY(type && gas);
    type->setCurrentRow(1);  // radial compressor
    qt::CheckShown(view, {"frarc"}, {"fraaxct", "fraresults2"});
    gas->setCurrentRow(1);  // other
    QVERIFY(view.widget("Fragas")->isVisible());
    qt::TypeInto(view, form, "txttd2", "1");
    qt::Press(view, "cmdCalculate");
    // Rg 53.35 and gamma 1.4 typed for the other gas.
    QCOMPARE(qt::FindBox(view, "txtgm")->text(), QString("1.400"));
    QVERIFY(!view.widget("lblError")->isVisible());
    qt::SaveShot(view, "bladerow-radial");
  }

  // The velocity triangles of each machine, drawn with their angles, none
  // over another; before a calculation the tab says why it is empty.
  void velocityTriangles() {
    const char* machines[] = {"axial compressor", "radial compressor", "axial turbine",
                              "radial inflow turbine"};
    for (const char* machine : machines) {
      qt::Opened<bladerow::Bladerow> opened;
      auto& [form, view] = opened;
      qt::ChartWindow window(form);
      QVERIFY(qt::ShowAt(window, {900, 640}));
      qt::ChartTab* tab = window.tab("velocity-triangles");
      QVERIFY(tab);
      QVERIFY(tab->message()->isVisible());
      auto& list = static_cast<core::ListBox&>(*form.FindById("lsttype"));
      form.UserSelect(list, list.IndexOf(machine));
      qt::Press(view, "cmdCalculate");
      window.Refresh();
      QVERIFY(qt::DrawsChart(*tab));
      QStringList texts;
      for (QGraphicsTextItem* item : tab->labels()) texts << item->toPlainText();
      for (const char* angle : {"α1 =", "β1 =", "α2 =", "β2 ="})
        QVERIFY2(texts.join('|').contains(QString::fromUtf8(angle)), qPrintable(texts.join('|')));
      for (QGraphicsTextItem* a : tab->labels())
        for (QGraphicsTextItem* b : tab->labels())
          if (a != b)
            QVERIFY2(!a->sceneBoundingRect().adjusted(3, 3, -3, -3).intersects(
                         b->sceneBoundingRect().adjusted(3, 3, -3, -3)),
                     qPrintable(a->toPlainText() + " over " + b->toPlainText()));
      qt::SaveShot(window, QString("bladerow-triangles-") + QString(machine).replace(' ', '-'));
    }
  }

  // Every box, list and result is named by its caption for a screen reader,
  // which hears of new results and of failures.
  void describedToAssistiveTechnology() {
    qt::CheckDescribed<bladerow::Bladerow>({}, {"cmdCalculate", "txtp1", "299.2", "txtp1", "x", true});
  }
};

QTEST_MAIN(BladerowGui)
#include "bladerow_gui_test.moc"
