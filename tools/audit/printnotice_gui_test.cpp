// Where the print files went: the line under the window names file and
// folder in full and opens that folder; a failed write names the full path.
// One test program per window with print files: WINDOW_PROGRAM,
// WINDOW_HEADER and WINDOW_CLASS name it.
#include <QDesktopServices>
#include <QDir>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QtTest>
#include <unistd.h>

#include <string>
#include <vector>

#include "qt/guitest.h"
#include "qt/status_line.h"
#include "qt/view.h"
#include WINDOW_HEADER

namespace {

struct Press {
  const char* button;
  const char* file;
};

// Each print button of the window, pressed in turn, and the file it writes.
std::vector<Press> Presses() {
  const std::string program = WINDOW_PROGRAM;
  if (program == "ringflow")
    return {{"Cmdcalculate", "RINGFLOW 1.txt"},
            {"CmdUsersGuide", "USERS_GUIDE_RINGFLOW.txt"},
            {"Cmdcalculate", "RINGFLOW 2.txt"}};
  if (program == "thrustfit") return {{"Command1", "Quennic 1.txt"}, {"Command1", "Quennic 2.txt"}};
  if (program == "shaftfit") return {{"Command1", "Varrond 1.txt"}, {"Command1", "Varrond 2.txt"}};
  return {};
}

}  // namespace

// Stands in for the desktop's file manager.
class Opened : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void open(const QUrl& url) { urls << url; }
};

class PrintNoticeGui : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    home_ = QDir::currentPath();
    QVERIFY(work_.isValid());
    QVERIFY(QDir::setCurrent(work_.path()));
  }
  void cleanup() { QDir::setCurrent(home_); }

  void eachPrintButtonNamesItsFileAndFolder() {
    WINDOW_CLASS form;
    form.Load();
    qt::View view(form);
    view.show();
    const int height = view.height();
    QVERIFY(!view.findChild<qt::StatusLine*>());  // nothing written yet, no line

    const std::vector<Press> presses = Presses();
    QVERIFY(!presses.empty());
    const QString folder = QDir::toNativeSeparators(QDir(work_.path()).canonicalPath());
    for (const Press& p : presses) {
      QTest::mouseClick(qobject_cast<QPushButton*>(view.widget(p.button)), Qt::LeftButton);
      QVERIFY(QFile::exists(p.file));
      auto* line = view.findChild<qt::StatusLine*>();
      QVERIFY(line);
      QVERIFY(line->isVisible());
      QCOMPARE(line->text(), "Wrote \"" + QString(p.file) + "\" in the folder " + folder);
      QCOMPARE(line->folder(), QUrl::fromLocalFile(QDir(work_.path()).canonicalPath()));
    }
    // One line, replaced by each notice; the window grew once, by its height,
    // and the line sits below everything the window describes.
    QCOMPARE(view.findChildren<qt::StatusLine*>().size(), 1);
    auto* line = view.findChild<qt::StatusLine*>();

    // Shown in SI, the window still prints in US customary units, the same
    // bytes, and says so.
    {
      const Press& p = presses.front();
      QFile us(p.file);
      QVERIFY(us.open(QIODevice::ReadOnly));
      const QByteArray usBytes = us.readAll();
      us.close();
      form.UserUnits(core::UnitSystem::SI);
      QTest::mouseClick(qobject_cast<QPushButton*>(view.widget(p.button)), Qt::LeftButton);
      QVERIFY(line->text().endsWith("\" in the folder " + folder + " (in US customary units)"));
      // A numbered file is the next of its series, with the same lines.
      const QString written = line->text().section('"', 1, 1);
      QVERIFY(written == p.file || written.contains(QRegularExpression(" \\d+\\.txt$")));
      QFile si(written);
      QVERIFY(si.open(QIODevice::ReadOnly));
      QCOMPARE(si.readAll(), usBytes);
      form.UserUnits(core::UnitSystem::US);
    }
    QCOMPARE(view.height(), height + line->height());
    QCOMPARE(line->y(), height);
    qt::SaveShot(view, QString(WINDOW_PROGRAM) + "-print-notice");

    Opened opened;
    QDesktopServices::setUrlHandler("file", &opened, "open");
    QTest::mouseClick(line->openButton(), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(opened.urls, QList<QUrl>{line->folder()});

    // No file manager to start: the window says so and offers the path.
    line->SetOpener([](const QUrl&) { return false; });
    QTest::mouseClick(line->openButton(), Qt::LeftButton);
    QWidget* note = line->unopenedNote();
    QVERIFY(note && note->isVisible());
    auto* path = note->findChild<QLineEdit*>("folderPath");
    QVERIFY(path);
    QCOMPARE(path->text(), folder);
    QTest::mouseClick(note->findChild<QPushButton*>("copyPath"), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), folder);
    qt::SaveShot(*note, QString(WINDOW_PROGRAM) + "-no-file-manager");
    note->close();
  }

  void aFailedWriteNamesTheFullPath() {
    WINDOW_CLASS form;
    form.Load();
    qt::View view(form);
    view.show();
    const Press last = Presses().back();
    const QString folder = QDir(work_.path()).canonicalPath();
    QString reason = "permission denied";
    QFile::setPermissions(work_.path(), QFile::ReadOwner | QFile::ExeOwner);
    if (::geteuid() == 0) {  // permissions do not bind the superuser: take the folder away
      QVERIFY(QDir::setCurrent(work_.path() + "/.."));
      QDir().mkdir(folder + "/gone");
      QVERIFY(QDir::setCurrent(folder + "/gone"));
      QDir().rmdir(folder + "/gone");
      reason = "the folder no longer exists";
    }
    QTest::mouseClick(qobject_cast<QPushButton*>(view.widget(last.button)), Qt::LeftButton);
    QFile::setPermissions(work_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString message = QString::fromStdString(form.lblError->caption());
    QVERIFY2(form.lblError->visible(), qPrintable(message));
    const QString file = QString(last.file).section(' ', 0, 0);  // its number may differ
    QVERIFY2(message.contains(folder + "/" + file), qPrintable(message));
    QVERIFY2(message.endsWith(reason), qPrintable(message));
    QVERIFY(!view.findChild<qt::StatusLine*>());  // no notice for a file not written
  }

 private:
  QString home_;
  QTemporaryDir work_;
};

QTEST_MAIN(PrintNoticeGui)
#include "printnotice_gui_test.moc"
