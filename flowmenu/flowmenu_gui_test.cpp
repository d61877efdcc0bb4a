// The Qt binding of the menu on the offscreen platform, and the menu starting
// real processes: a copy of this test sits in a folder of fake programs
// (small scripts that write their name to a log) and drives the menu there.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>
#include <cstring>

#include "flowmenu/flowmenu_window.h"
#include "qt/guitest.h"
#include "qt/view.h"

namespace {

const char* const kCaption =
    "Simple 1-D Flow by QMX 0-3.05.2005         FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)";

QStringList LogLines(const QString& log) {
  QFile file(log);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

// Waits (a bounded time) until the log holds count lines.
bool WaitForLines(const QString& log, int count) {
  QElapsedTimer timer;
  timer.start();
  while (LogLines(log).size() < count && timer.elapsed() < 20000) QTest::qWait(20);
  return LogLines(log).size() == count;
}

void ClickEntry(qt::View& view, const char* option) {
  auto* radio = qobject_cast<QRadioButton*>(view.widget(option));
  QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
}

int Fail(const char* what) {
  std::fprintf(stderr, "menu drive: %s\n", what);
  return 1;
}

// Runs in the copy beside the fake programs.
int Drive(const QString& log) {
  qt::Opened<flowmenu::FlowMenu> opened;
  auto& [form, view] = opened;
  auto* error = view.widget("lblError");
  const char* sequence[] = {"Option1", "Option2", "Option1"};
  for (int i = 0; i < 3; ++i) {
    ClickEntry(view, sequence[i]);
    if (!WaitForLines(log, i + 1)) return Fail("a click did not start its program");
    if (error->isVisible()) return Fail("an error was shown for a program that exists");
  }
  // rayleigh is missing, isoheat is there but may not be run.
  ClickEntry(view, "Option3");
  const QString missing = qobject_cast<QLabel*>(error)->text();
  if (!error->isVisible() || !missing.contains("rayleigh")) return Fail("no message for rayleigh");
  ClickEntry(view, "Option5");
  const QString refused = qobject_cast<QLabel*>(error)->text();
  if (!error->isVisible() || !refused.contains("isoheat")) return Fail("no message for isoheat");
  qt::SaveShot(view, "flowmenu-missing");
  if (form.ended() || !view.isVisible()) return Fail("the menu closed");
  ClickEntry(view, "Option4");
  if (!WaitForLines(log, 4)) return Fail("the menu did not start planejump after a failure");
  if (error->isVisible()) return Fail("the message stayed after a good start");
  std::printf("%s\n%s\n", qPrintable(missing), qPrintable(refused));
  return 0;
}

}  // namespace

class MenuGui : public QObject {
  Q_OBJECT
 private slots:
  void opensWithCaptionAndNoEntryChosen() {
    qt::Opened<flowmenu::FlowMenu> opened;
    auto& [form, view] = opened;
    QCOMPARE(view.windowTitle(), QString(kCaption));
    int y = -1;
    for (const char* name : {"Option1", "Option2", "Option3", "Option4", "Option6", "Option5"}) {
      auto* radio = qobject_cast<QRadioButton*>(view.widget(name));
      QVERIFY(radio && radio->isVisible());
      QVERIFY(!radio->isChecked());
      QVERIFY(radio->y() > y);
      y = radio->y();
    }
    QVERIFY(!view.widget("Option8")->isVisible());
    QVERIFY(qobject_cast<QRadioButton*>(view.widget("Option8"))->isChecked());
    qt::SaveShot(view, "flowmenu");
  }

  void startsTheProgramsBesideItself() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString log = dir.filePath("ran.log");
    for (const char* name : {"isentropic", "fanno", "planejump", "isodrag", "isoheat"}) {
      QFile script(dir.filePath(name));
      QVERIFY(script.open(QIODevice::WriteOnly));
      script.write(QString("#!/bin/sh\necho %1 >> '%2'\n").arg(name, log).toUtf8());
      script.close();
      // isoheat stays a plain file that cannot be started.
      if (std::strcmp(name, "isoheat") != 0)
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
    const QString copy = dir.filePath("menu_drive");
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
    QFile(copy).setPermissions(QFile(copy).permissions() | QFileDevice::ExeOwner);

    QProcess drive;
    drive.setWorkingDirectory(QDir::tempPath());  // not the folder of the programs
    drive.start(copy, {"--drive", log});
    QVERIFY(drive.waitForFinished(60000));
    const QString out = QString::fromUtf8(drive.readAllStandardOutput());
    QVERIFY2(drive.exitCode() == 0, qPrintable(drive.readAllStandardError()));
    QCOMPARE(LogLines(log), (QStringList{"isentropic", "fanno", "isentropic", "planejump"}));
    QCOMPARE(out, QString("Cannot find the program file %1\nCannot start the program file %2\n")
                      .arg(dir.filePath("rayleigh"), dir.filePath("isoheat")));
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc == 3 && std::strcmp(argv[1], "--drive") == 0) return Drive(QString::fromLocal8Bit(argv[2]));
  MenuGui test;
  return QTest::qExec(&test, argc, argv);
}

#include "flowmenu_gui_test.moc"
