// The launcher on the offscreen platform, starting fake programs.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "qt/guitest.h"
#include "qt/view.h"
#include "launcher/calculators_window.h"

namespace {

// A program that only notes that it ran.
void FakeProgram(const QString& dir, const QString& name) {
  QFile file(dir + "/" + name);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(QString("#!/bin/sh\necho %1 >> \"%2/ran.log\"\n").arg(name, dir).toUtf8());
  file.close();
  file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QStringList Ran(const QString& dir, int expected) {
  QElapsedTimer timer;
  timer.start();
  QStringList lines;
  while (timer.elapsed() < 5000) {
    QFile log(dir + "/ran.log");
    if (log.open(QIODevice::ReadOnly)) {
      lines = QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
      if (lines.size() >= expected) break;
    }
    QTest::qWait(20);
  }
  return lines;
}

}  // namespace

class CalculatorsGui : public QObject {
  Q_OBJECT
 private slots:
  void theWholeSuiteFits() {
    launcher::Calculators form([](const std::string&) { return true; });
    qt::View view(form);
    form.Load();
    view.show();
    qt::SaveShot(view, "calculators-all");
    // Every title fits its button.
    for (const launcher::Entry& e : launcher::Programs()) {
      auto* button = qobject_cast<QPushButton*>(view.widget("cmd" + e.name));
      QVERIFY(button);
      QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) < button->width() - 8,
               e.name.c_str());
    }
  }

  void startsTheProgramsBesideItAndReportsAMissingOne() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    FakeProgram(dir.path(), "fanno");
    FakeProgram(dir.path(), "shock");
    launcher::Calculators form([&](const std::string& name) {
      return launcher::ProgramExists(dir.path().toStdString(), name);
    });
    QCOMPARE(form.listed(), (std::vector<std::string>{"fanno", "shock"}));
    qt::View view(form);
    view.SetProgramDir(dir.path());
    form.Load();
    view.show();
    QCOMPARE(view.windowTitle(), QString("Compressible Flow and Gas Turbine Calculators"));
    qt::SaveShot(view, "calculators");

    auto* fanno = qt::FindButton(view, "cmdfanno");
    auto* shock = qt::FindButton(view, "cmdshock");
    QVERIFY(fanno && shock);
    QTest::mouseClick(fanno, Qt::LeftButton);
    QCOMPARE(Ran(dir.path(), 1), QStringList({"fanno"}));
    shock->setFocus();
    QTest::keyClick(shock, Qt::Key_Return);  // Enter starts the focused entry
    QCOMPARE(Ran(dir.path(), 2), QStringList({"fanno", "shock"}));
    QTest::mouseClick(fanno, Qt::LeftButton);
    QCOMPARE(Ran(dir.path(), 3), QStringList({"fanno", "shock", "fanno"}));

    QFile::remove(dir.path() + "/shock");
    QTest::mouseClick(shock, Qt::LeftButton);
    auto* error = qobject_cast<QLabel*>(view.widget("lblError"));
    QVERIFY(error->isVisible());
    QVERIFY(error->text().contains(dir.path() + "/shock"));
    QVERIFY(view.isVisible());
    QTest::mouseClick(fanno, Qt::LeftButton);  // still usable
    QCOMPARE(Ran(dir.path(), 4).size(), 4);
    QVERIFY(!error->isVisible());
  }

  // One start per double-click on an entry.
  void doubleClickStartsOneCopy() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    FakeProgram(dir.path(), "fanno");
    launcher::Calculators form([&](const std::string& name) {
      return launcher::ProgramExists(dir.path().toStdString(), name);
    });
    qt::View view(form);
    view.SetProgramDir(dir.path());
    form.Load();
    view.show();
    // As a display delivers it: press, release, the second press as a
    // double-click, release.
    QWidget* fanno = view.widget("cmdfanno");
    QTest::mouseClick(fanno, Qt::LeftButton);
    QTest::mouseDClick(fanno, Qt::LeftButton);
    QTest::mouseRelease(fanno, Qt::LeftButton);
    QCOMPARE(Ran(dir.path(), 2), QStringList({"fanno"}));  // waits for a second start
  }

  // Tab visits the entries group by group, as they read: the left column
  // top to bottom, then the right one, then "Done!".
  void tabFollowsTheGroups() {
    launcher::Calculators form([](const std::string&) { return true; });
    qt::View view(form);
    form.Load();
    view.show();
    view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QStringList expected;
    for (const launcher::Entry& e : launcher::Programs())
      expected << QString::fromStdString("cmd" + e.name);
    expected << "cmdend";
    QCOMPARE(QApplication::focusWidget()->objectName(), expected.front());
    QCOMPARE(qt::TabWalk(static_cast<int>(expected.size())),
             expected.mid(1) + QStringList({expected.front()}));
  }
};

QTEST_MAIN(CalculatorsGui)
#include "calculators_gui_test.moc"
