// Cases on the desktop: "Save case…" and "Open case…" from a window's context
// menu (the file dialog left out), a refused file, and a file dropped on the
// window; on the isentropic window, offscreen.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include "core/case_file.h"
#include "core/sweep.h"
#include "flowtables/isentropic_window.h"
#include "qt/guitest.h"
#include "qt/program_window.h"
#include "qt/view.h"

namespace {

QAction* ActionOf(QWidget& view, const char* name) {
  for (QAction* action : view.actions())
    if (action->objectName() == name) return action;
  return nullptr;
}

// The text of the message box that the next modal loop shows, which is then
// closed, as a person would.
class MessageCatcher {
 public:
  MessageCatcher() {
    QTimer::singleShot(0, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        text = box->text();
        box->accept();
      }
    });
  }
  QString text;
};

void Deferred() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class CaseGui : public QObject {
  Q_OBJECT

  std::shared_ptr<qt::Program> program_;
  QTemporaryDir dir_;

  qt::View* Fresh() {
    auto form = program_->make();
    form->Load();
    qt::View* view = qt::ShowProgramWindow(std::move(form), program_);
    [&] { QVERIFY(QTest::qWaitForWindowExposed(view)); }();
    return view;
  }

  // A window with a Mach number typed, computed, and shown in SI.
  qt::View* Used() {
    qt::View* view = Fresh();
    qt::TypeInto(*view, view->form(), "txtm1", "2");
    qt::Press(*view, "cmdscompute");
    ActionOf(*view, "units-si")->trigger();
    return view;
  }

  QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
  }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    auto program = std::make_shared<qt::Program>();
    program->name = "isentropic";
    program->make = [] { return std::unique_ptr<core::Form>(new flowtables::Isentropic); };
    program_ = program;
  }

  void cleanup() {
    qt::SetCaseFileChooser({});
    qt::DeleteProgramWindows();
  }

  void menuOffersSaveAndOpenWithTheirKeys() {
    qt::View* view = Fresh();
    QAction* save = ActionOf(*view, "saveCase");
    QAction* open = ActionOf(*view, "openCase");
    QVERIFY(save && open);
    QCOMPARE(save->text(), QString("Save case…"));
    QCOMPARE(open->text(), QString("Open case…"));
    QCOMPARE(save->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(open->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    QCOMPARE(view->contextMenuPolicy(), Qt::ActionsContextMenu);
    QVERIFY(view->acceptDrops());

    // The window with its context menu open, as a person sees it.
    QMenu menu;
    menu.addActions(view->actions());
    menu.popup(view->mapToGlobal(QPoint(40, 60)));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QPixmap shot = view->grab();
    {
      const QPixmap drawn = menu.grab();
      shot = shot.copy(0, 0, std::max(shot.width(), 40 + drawn.width()),
                       std::max(shot.height(), 60 + drawn.height()));
      QPainter painter(&shot);
      painter.drawPixmap(40, 60, drawn);
    }
    if (const char* dir = std::getenv("CALC_SHOT_DIR")) shot.save(QString(dir) + "/case-menu.png");
    menu.close();
  }

  void savedCaseOpensAsTheSameWindowInPlaceOfTheOld() {
    qt::View* used = Used();
    const std::string state = core::StateText(used->form());
    const QString path = dir_.filePath("mach-2");
    bool asked = false;
    qt::SetCaseFileChooser([&](QWidget* parent, bool save) {
      asked = save && parent == used;
      return path;
    });
    ActionOf(*used, "saveCase")->trigger();
    QVERIFY(asked);
    QFile saved(path + ".flowcase");  // the extension added
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray text = saved.readAll();
    QVERIFY(text.startsWith("# flow-calculators case: program isentropic, version "));
    QVERIFY(text.contains("\ntype txtm1 2\nclick cmdscompute\nunits si\n"));
    // Byte for byte what --save-case writes after the same script, which the
    // browser tests open in the page.
    QCOMPARE(text, QByteArray::fromStdString(core::CaseText(used->form(), "isentropic")));

    qt::View* other = Fresh();
    qt::TypeInto(*other, other->form(), "txtm1", "3");
    other->move(120, 80);
    const QPoint where = other->pos();  // as far as the screen lets it
    qt::SetCaseFileChooser([&](QWidget*, bool save) { return save ? QString() : path + ".flowcase"; });
    ActionOf(*other, "openCase")->trigger();
    Deferred();
    const std::vector<qt::View*> windows = qt::ProgramWindows();
    QCOMPARE(windows.size(), size_t(2));
    QCOMPARE(windows[0], used);
    qt::View* opened = windows[1];
    QVERIFY(opened != other);
    QVERIFY(opened->isVisible());
    QCOMPARE(opened->pos(), where);
    QCOMPARE(core::StateText(opened->form()), state);
    QCOMPARE(qobject_cast<QLineEdit*>(opened->widget("txtm1"))->text(), QString("2"));
    QVERIFY(ActionOf(*opened, "units-si")->isChecked());
    // The opened window is the user's: typing and computing go on as usual.
    qt::TypeInto(*opened, opened->form(), "txtm1", "3");
    qt::Press(*opened, "cmdscompute");
    QCOMPARE(qobject_cast<QLabel*>(opened->widget("lblt1"))->text(), QString("0.3571"));
  }

  void refusedCaseLeavesTheWindowAsItWas_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QByteArray header = "# flow-calculators case: program isentropic, version 1.0, units us\n";
    QTest::newRow("unknown control") << header + "type txtm1 2\ntype txtq 3\n"
                                     << "bad.flowcase: Line 3: this window has no control named \"txtq\"";
    QTest::newRow("binary") << header + QByteArray("click\0cmd", 9)
                            << "bad.flowcase: Line 2: a NUL byte: this is a binary file, not a case";
  }

  void refusedCaseLeavesTheWindowAsItWas() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    qt::View* view = Fresh();
    qt::TypeInto(*view, view->form(), "txtm1", "3");
    const std::string state = core::StateText(view->form());
    const QString path = Write("bad.flowcase", bytes);
    qt::SetCaseFileChooser([&](QWidget*, bool) { return path; });
    MessageCatcher caught;
    ActionOf(*view, "openCase")->trigger();
    Deferred();
    QCOMPARE(caught.text, message);
    QCOMPARE(qt::ProgramWindows(), std::vector<qt::View*>{view});
    QVERIFY(view->isVisible());
    QCOMPARE(core::StateText(view->form()), state);
  }

  void droppedCaseOpens() {
    qt::View* used = Used();
    const std::string state = core::StateText(used->form());
    const QString path = Write("dropped.flowcase", QByteArray::fromStdString(core::CaseText(used->form(), "isentropic")));
    qt::View* view = Fresh();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &drop);
    QVERIFY(drop.isAccepted());
    QTRY_COMPARE(qt::ProgramWindows().size(), size_t(2));
    QTRY_VERIFY(qt::ProgramWindows()[1] != view);
    Deferred();
    QCOMPARE(core::StateText(qt::ProgramWindows()[1]->form()), state);
  }
};

}  // namespace

QTEST_MAIN(CaseGui)
#include "case_gui_test.moc"
