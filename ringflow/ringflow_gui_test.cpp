// The Qt binding of the streamline window, on the offscreen platform.
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "frame/choicelist.h"
#include "frame/guitest.h"
#include "frame/view.h"
#include "ringflow/ringflow_window.h"

class RingflowGui : public QObject {
  Q_OBJECT
 private slots:
  void opensWithCaptionAndTypeTwo() {
    ringflow::Ringflow form;
    frame::View view(form);
    form.Load();
    view.show();
    QCOMPARE(view.windowTitle(),
             QString("Stream Line Analysis by QMX 03.05.2005                    "
                     "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)"));
    QVERIFY(view.widget("Frantype3")->isVisible());
    QVERIFY(!view.widget("Frapic")->isVisible());
    frame::SaveShot(view, "ringflow");
    QTest::mouseClick(qobject_cast<QPushButton*>(view.widget("pic")), Qt::LeftButton);
    QVERIFY(view.widget("Picture1")->isVisible());
    frame::SaveShot(view, "ringflow-diagram");
  }

  void typingAndListsGoThroughTheModel() {
    ringflow::Ringflow form;
    frame::View view(form);
    form.Load();
    view.show();
    auto* ntyp = qobject_cast<frame::ChoiceList*>(view.widget("lstntyp"));
    QVERIFY(ntyp);
    ntyp->setCurrentRow(2);
    QCOMPARE(form.FindById("lstntyp")->text(), std::string("3"));
    QVERIFY(view.widget("Frantype5")->isVisible());
    auto* nbr = qobject_cast<QLineEdit*>(view.widget("txtnbr"));
    QVERIFY(nbr);
    nbr->selectAll();
    QTest::keyClicks(nbr, "9");
    QCOMPARE(form.bladeRows(), 9);
    QVERIFY(view.widget("Frantype5d")->isVisible());
    QVERIFY(view.widget("Fratitl1")->isVisible());
    frame::SaveShot(view, "ringflow-type3");
    ntyp->setCurrentRow(0);
    frame::SaveShot(view, "ringflow-type1");
    QVERIFY(!view.widget("Fraitty")->isVisible());
    QVERIFY(!view.widget("lblError")->isVisible());
  }

  void calculateReportsTheStation() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    ringflow::Ringflow form;
    frame::View view(form);
    form.Load();
    view.show();
    qobject_cast<frame::ChoiceList*>(view.widget("lstitty"))->setCurrentRow(1);
    QTest::mouseClick(qobject_cast<QPushButton*>(view.widget("Cmdcalculate")), Qt::LeftButton);
    QVERIFY(view.widget("FraConv")->isVisible());
    QCOMPARE(qobject_cast<QLineEdit*>(view.widget("Txtjconv"))->text(), QString("4"));
    QVERIFY(QFile::exists("RINGFLOW 1.txt"));
    frame::SaveShot(view, "ringflow-failed");
    qobject_cast<frame::ChoiceList*>(view.widget("lstitty"))->setCurrentRow(0);
    QVERIFY(!view.widget("FraConv")->isVisible());
    QTest::mouseClick(qobject_cast<QPushButton*>(view.widget("Cmdcalculate")), Qt::LeftButton);
    QVERIFY(view.widget("Fraconv2")->isVisible());
    frame::SaveShot(view, "ringflow-solved");
    QDir::setCurrent(old);
  }
};

QTEST_MAIN(RingflowGui)
#include "ringflow_gui_test.moc"
