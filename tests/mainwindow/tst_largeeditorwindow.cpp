#include "MainWindowFixture.h"
#include "editor/ScriptEditor.h"
#include "files/FileTestSupport.h"
#include "mainwindow/LargeEditorWindow.h"
#include "script/ScriptComposer.h"

#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextLayout>

using namespace vantrel;
using namespace vantrel::test;

namespace {

const QRect EditorHome(16, 16, 297, 345); // Txt1's place in the main window

// A script long enough to scroll, shaped like a real one, with a `(` that never closes on
// its last line.
QString longScript(int scripts)
{
    QString text;
    for (int n = 0; n < scripts; ++n)
        text +=
            QStringLiteral("; area %1\r\n(script continuous area_%1\r\n\t(if (volume_test_object "
                           "\"trig_%1\" (unit hog_%1))\r\n\t\t(begin\r\n\t\t\t(object_teleport "
                           "hog_%1 flag_%1)\r\n\t\t\t(sleep 30)))\r\n)\r\n")
                .arg(n);
    return text + QStringLiteral("(script startup never_closed\r\n");
}

} // namespace

class LargeEditorWindowTest : public QObject, MainWindowFixture
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    ScriptedDialog m_dialog;
    RecordingSink m_sink;
    ScriptEditor* m_editor = nullptr;
    LargeEditorWindow* m_large = nullptr;
    qsizetype m_stackingPlace = -1; // the editor's among its siblings, bottom first

    QString path(const QString& name) const { return m_dir->filePath(name); }
    static void pressEditKey(QWidget* at)
    {
        QTest::keyClick(at, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    }

    void verifyOpen() const
    {
        QCOMPARE(m_editor->parentWidget(), m_large);
        QVERIFY(m_large->isVisible() && m_editor->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(m_large));
        QCOMPARE(QApplication::focusWidget(), m_editor);
        QVERIFY(m_large->editCommand()->isChecked());
        // The main window keeps its layout; the note stands where the editor stood.
        QVERIFY(!m_window->findChild<ScriptEditor*>(QStringLiteral("Txt1")));
        QWidget* note = control("LargeWindowNote");
        QVERIFY(note->isVisible());
        QCOMPARE(note->geometry(), EditorHome);
        QCOMPARE(m_window->centralWidget()->size(), QSize(593, 455));
        QCOMPARE(control<QPushButton>("cmdBringBack")->text(),
                 QStringLiteral("Bring the Script Back"));
    }

    void verifyHome() const
    {
        QCOMPARE(control<ScriptEditor>("Txt1"), m_editor);
        QCOMPARE(m_editor->parentWidget(), m_window->centralWidget());
        QCOMPARE(m_editor->geometry(), EditorHome);
        QCOMPARE(m_window->centralWidget()->children().indexOf(m_editor), m_stackingPlace);
        QVERIFY(m_editor->isVisible() && !m_large->isVisible());
        QVERIFY(!control("LargeWindowNote")->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QCOMPARE(QApplication::focusWidget(), m_editor);
        QVERIFY(!m_large->editCommand()->isChecked());
    }

private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
        m_sink.messages.clear();
        openMainWindow({&m_dialog, &m_sink});
        m_editor = control<ScriptEditor>("Txt1");
        m_stackingPlace = m_window->centralWidget()->children().indexOf(m_editor);
        m_large = theOne<LargeEditorWindow>();
        QVERIFY(m_large && !m_large->isVisible());
    }

    void cleanup()
    {
        m_window.reset();
        QVERIFY(windowsOf<LargeEditorWindow>().isEmpty());
    }

    void opensAndComesBack_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("closer");
        QTest::newRow("key in the editor, key again") << "editor key"
                                                      << "editor key";
        QTest::newRow("key in a name box, close button") << "name box key"
                                                         << "close button";
        QTest::newRow("context menu, note's button") << "context menu"
                                                     << "note button";
    }

    void opensAndComesBack()
    {
        QFETCH(QString, opener);
        QFETCH(QString, closer);
        if (opener == "editor key") {
            pressEditKey(m_editor);
        } else if (opener == "name box key") {
            control("txttrigger")->setFocus();
            pressEditKey(control("txttrigger"));
        } else {
            QMenu* menu = openContextMenu(m_editor->viewport(), {20, 20});
            QVERIFY(menu);
            QAction* command = m_large->editCommand();
            QVERIFY(menu->actions().contains(command));
            QCOMPARE(command->text(), QStringLiteral("Edit in Large Window"));
            QCOMPARE(command->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+E")));
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(command).center());
        }
        verifyOpen();
        QCOMPARE(m_large->windowTitle(), QStringLiteral("Script - Vantrel"));
        QCOMPARE(accessibleName(m_large), QStringLiteral("Large script window"));
        // About two thirds of the screen, centred on it, and free to grow.
        const QRect screen = m_large->screen()->availableGeometry();
        const QRect placed = m_large->geometry();
        QVERIFY(qAbs(placed.width() * 3 - screen.width() * 2) <= 3);
        QVERIFY(qAbs(placed.height() * 3 - screen.height() * 2) <= 3);
        QVERIFY((placed.center() - screen.center()).manhattanLength() <= 2);
        QCOMPARE(m_large->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));

        if (closer == "editor key") {
            pressEditKey(m_editor);
        } else if (closer == "close button") {
            QVERIFY(m_large->close()); // what the title bar's close button asks
        } else {
            activateMainWindow();
            click("cmdBringBack");
        }
        verifyHome();
    }

    void editsComeBackWithTheCursorAndTheUndoHistory()
    {
        const QByteArray bytes = "(script startup one\r\n\t(sleep 30)\r\n)\r\n";
        QVERIFY(writeBytes(path("one.hsc"), bytes));
        m_dialog.answers = {path("one.hsc")};
        click("cmdload");
        m_editor->setFocus();
        QTest::keyClick(m_editor, Qt::Key_Down);
        QTest::keyClick(m_editor, Qt::Key_End);
        const int end = m_editor->textCursor().position();

        pressEditKey(m_editor);
        verifyOpen();
        QCOMPARE(m_large->windowTitle(), QStringLiteral("one.hsc - Vantrel"));
        QCOMPARE(m_editor->textCursor().position(), end);
        QTest::keyClicks(m_editor, QStringLiteral(" ; waits"));
        QTest::keyClick(m_editor, Qt::Key_Home);
        pressEditKey(m_editor);

        verifyHome();
        const QString edited = decoded("(script startup one\r\n\t(sleep 30) ; waits\r\n)\r\n");
        QCOMPARE(m_window->scriptText(), edited);
        QCOMPARE(m_editor->textCursor().position(), end - QStringLiteral("\t(sleep 30)").size());
        // Undo here takes back the edit made there, then the load.
        QTest::keyClick(m_editor, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_window->scriptText(), decoded(bytes));
        QTest::keyClick(m_editor, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_window->scriptText(), QString());
    }

    // The main window's commands reach the script wherever the editor is.
    void compileSaveAndLoadWorkOnTheScriptInTheLargeWindow()
    {
        pressEditKey(m_editor);
        verifyOpen();
        activateMainWindow();
        click("cmdcmpl");
        const QString script = QString::fromStdString(ComposeScript({}));
        QCOMPARE(m_editor->wholeText(), script);
        QCOMPARE(m_editor->parentWidget(), m_large);

        m_large->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_large));
        QTest::keyClick(m_editor, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(m_editor, QStringLiteral("; by hand"));
        const QByteArray saved = (script + QStringLiteral("; by hand\r\n")).toLatin1();
        activateMainWindow();
        m_dialog.answers = {path("saved")};
        click("cmdsave");
        QCOMPARE(readBytes(path("saved.hsc")), saved);

        // Load puts the file's bytes in, line ends and all.
        const QByteArray other = "; two\n(script dormant two\r\n\t(sleep -1))";
        QVERIFY(writeBytes(path("two.hsc"), other));
        m_dialog.answers = {path("two.hsc")};
        click("cmdload");
        QCOMPARE(m_editor->wholeText(), decoded(other));
        QCOMPARE(m_editor->parentWidget(), m_large);
        QCOMPARE(m_large->windowTitle(), QStringLiteral("two.hsc - Vantrel"));
        click("cmdBringBack");
        verifyHome();
        QCOMPARE(m_window->scriptText(), decoded(other));
        QVERIFY(m_sink.messages.isEmpty());
    }

    void scrollPositionColoursAndMarksMoveWithTheEditor()
    {
        m_window->setScriptText(longScript(400));
        QScrollBar* bar = m_editor->verticalScrollBar();
        bar->setValue(1000);
        QTRY_VERIFY(m_editor->accessibleDescription().contains(u"never closed")); // checked
        const QString problems = m_editor->accessibleDescription();
        const QPalette colours = m_editor->palette();
        const int first = m_editor->firstBlockInView().blockNumber();
        QVERIFY(first > 900);

        pressEditKey(m_editor);
        verifyOpen();
        QTRY_COMPARE(m_editor->firstBlockInView().blockNumber(), first);
        QCOMPARE(m_editor->palette().color(QPalette::Base), colours.color(QPalette::Base));
        QCOMPARE(m_editor->palette().color(QPalette::Text), colours.color(QPalette::Text));
        QCOMPARE(m_editor->accessibleDescription(), problems);
        // Lines that only the large window shows are coloured as they come into view.
        m_editor->repaint();
        const QTextBlock below = m_editor->document()->findBlockByNumber(first + 40);
        QVERIFY(m_editor->blockRectInView(below).bottom() < m_editor->viewport()->height());
        QTRY_VERIFY(!below.layout()->formats().isEmpty());

        bar->setValue(2500);
        const int there = m_editor->firstBlockInView().blockNumber();
        QVERIFY(there > 2000);
        pressEditKey(m_editor);
        verifyHome();
        QTRY_COMPARE(m_editor->firstBlockInView().blockNumber(), there);
        QCOMPARE(m_editor->accessibleDescription(), problems);
    }

    void sizeAndPlaceLastTheRunOnly()
    {
        pressEditKey(m_editor);
        const QRect first = m_large->geometry();
        const QRect moved(40, 50, 500, 400);
        m_large->setGeometry(moved);
        pressEditKey(m_editor);
        verifyHome();
        pressEditKey(m_editor);
        verifyOpen();
        QCOMPARE(m_large->geometry(), moved);

        // A new main window, as in the next run, opens it where it first opened.
        cleanup();
        init();
        pressEditKey(m_editor);
        verifyOpen();
        QCOMPARE(m_large->geometry(), first);
    }

    void theNoteTakesTheEditorsTurnInTheTabOrder()
    {
        pressEditKey(m_editor);
        verifyOpen();
        activateMainWindow();
        control("Text1")->setFocus();
        QTest::keyClick(control("Text1"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control("cmdBringBack"));
        QTest::keyClick(control("cmdBringBack"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control("txtscriptname"));
        QTest::keyClick(control("txtscriptname"), Qt::Key_Backtab);
        QTest::keyClick(control("cmdBringBack"), Qt::Key_Space); // pressed by keyboard
        verifyHome();
        verifyTabOrder({"txtscriptname", "txttrigger", "txtflag", "txtvehic", "cmdcmpl", "cmdsave",
                        "Check1", "cmdload", "Text1", "Txt1"});
    }

    // In the real event loop, where closing the last window ends the program.
    void closingTheMainWindowEndsTheProgram()
    {
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        bool wasOpen = false;
        QCOMPARE(execWithWatchdog(m_window.get(),
                                  [&] {
                                      pressEditKey(m_editor);
                                      QTest::keyClicks(m_editor, QStringLiteral("(sleep 5)"));
                                      wasOpen = m_large->isVisible();
                                      // The hand edit is not saved.
                                      m_sink.answers = {MessageSink::Answer::Discard};
                                      m_window->close();
                                  }),
                 0);
        QVERIFY(wasOpen);
        QCOMPARE(lastClosed.size(), 1);
        QVERIFY(!m_large->isVisible() && !m_window->isVisible());
        QCOMPARE(m_editor->parentWidget(), m_window->centralWidget());
        QCOMPARE(m_window->scriptText(), QStringLiteral("(sleep 5)"));
    }
};

QTEST_MAIN(LargeEditorWindowTest)
#include "tst_largeeditorwindow.moc"
