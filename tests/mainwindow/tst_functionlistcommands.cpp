#include "MainWindowFixture.h"
#include "editor/ScriptEditor.h"
#include "files/FileDialog.h"
#include "files/FileTestSupport.h"
#include "language/EditorLanguageSupport.h"
#include "mainwindow/Form1.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>

using namespace vantrel;
using test::RecordingSink;
using test::ScriptedDialog;

namespace {

QByteArray handWrittenList()
{
    return test::readBytes(QStringLiteral(VANTREL_TEST_DATA "/functions.txt"));
}

QString plain(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

} // namespace

class TestFunctionListCommands : public QObject, test::MainWindowFixture
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ScriptedDialog m_dialog, m_listDialog;
    RecordingSink m_messages;
    ScriptEditor* m_editor = nullptr;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    void load(const QString& name)
    {
        m_dialog.answers = {path(name)};
        click("cmdload");
        QCOMPARE(m_editor->wholeText(), QString::fromLatin1(test::readBytes(path(name))));
    }

    // The parts of the editor's accessible description about its problems and its list.
    QStringList described() const
    {
        QStringList parts;
        for (const QString& part : m_editor->accessibleDescription().split(u'\n'))
            if (part.startsWith(u"Problem") || part.startsWith(u"First of") ||
                part.startsWith(u"Text"))
                parts << part;
        return parts;
    }

    QString listInUse()
    {
        const std::unique_ptr<QMenu> menu(test::openContextMenu(m_editor->viewport()));
        return menu ? child<QAction>(*menu, "textFormat")->text() : QStringLiteral("no menu");
    }

    QPoint pointAt(int position)
    {
        QTextCursor at(m_editor->document());
        at.setPosition(position);
        return m_editor->cursorRect(at).center() + QPoint(2, 0);
    }

    QString hover(int position)
    {
        QToolTip::hideText();
        if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
            return QStringLiteral("the last tooltip stays");
        const QPoint point = pointAt(position);
        QHelpEvent event(QEvent::ToolTip, point, m_editor->viewport()->mapToGlobal(point));
        QApplication::sendEvent(m_editor->viewport(), &event);
        return QToolTip::isVisible() ? plain(QToolTip::text()) : QString();
    }

private slots:
    void init()
    {
        QDir root(m_dir.path());
        QVERIFY(root.mkpath("game/levels/bridge") && root.mkpath("elsewhere") &&
                root.mkpath("other"));
        QVERIFY(test::writeBytes(path("game/functions.txt"), handWrittenList()));
        QVERIFY(test::writeBytes(path("game/levels/bridge/bridge.hsc"),
                                 "(script startup go\r\n\t(object_teleport (player0))\r\n"
                                 "\t(sleep_until (volume_test_players t) 5 900))\r\n"));
        QVERIFY(test::writeBytes(path("elsewhere/plain.hsc"), "(object_teleport a)\r\n"));
        QVERIFY(test::writeBytes(path("other/other.txt"),
                                 "; AVAILABLE FUNCTIONS:\r\n(<void> object_teleport <a>)\r\n"));
        QVERIFY(test::writeBytes(path("other/none.txt"), "; AVAILABLE FUNCTIONS:\r\n"));
        m_dialog.answers.clear();
        m_listDialog.answers.clear();
        m_messages.take();
        openMainWindow({&m_dialog, &m_messages, &m_listDialog});
        m_editor = control<ScriptEditor>("Txt1");
    }

    void cleanup() { m_window.reset(); }

    void loadFindsTheListAndChecksCalls()
    {
        load("game/levels/bridge/bridge.hsc");
        QCOMPARE(listInUse(), "Windows-1252, CR LF line ends, function list functions.txt");
        {
            const std::unique_ptr<QMenu> menu(test::openContextMenu(m_editor->viewport()));
            QCOMPARE(child<QAction>(*menu, "textFormat")->toolTip(),
                     QDir::toNativeSeparators(path("game/functions.txt")));
        }
        // Only the call with too few arguments: sleep_until's three follow the language.
        QTRY_COMPARE(described(),
                     QStringList({"Problem: Line 2, column 2: object_teleport takes 2 arguments, "
                                  "found 1",
                                  "Text: Windows-1252, CR LF line ends, function list "
                                  "functions.txt"}));

        // A script with no list above it is not checked with another game's.
        load("elsewhere/plain.hsc");
        QCOMPARE(listInUse(), "Windows-1252, CR LF line ends");
        QTRY_COMPARE(described(), QStringList({"Text: Windows-1252, CR LF line ends"}));
    }

    void aPickedListStaysForTheRun()
    {
        QAction* use = child<QAction>(*m_editor, "useFunctionList");
        m_listDialog.answers = {path("other/none.txt")};
        use->trigger();
        const QList<RecordingSink::Message> noFunctions{
            {"Function List",
             QDir::toNativeSeparators(path("other/none.txt")) + ": holds no functions"}};
        QCOMPARE(m_messages.take(), noFunctions);
        QCOMPARE(listInUse(), "Windows-1252, CR LF line ends");

        m_listDialog.answers = {path("other/other.txt")};
        use->trigger();
        load("elsewhere/plain.hsc");
        QCOMPARE(listInUse(), "Windows-1252, CR LF line ends, function list other.txt");
    }

    void hoverShowsSignatureAndDescription()
    {
        QVERIFY(test::writeBytes(path("game/levels/bridge/hover.hsc"),
                                 "(ai_place squad 2) (object_teleport a b) ; object_teleport\r\n"
                                 "(set cheat_deathless_player true) (unknown_name)\r\n"));
        load("game/levels/bridge/hover.hsc");
        QCOMPARE(hover(3), "(<void> ai_place <ai>)\n"
                           "Test text for ai_place: what it does, in my own words.\n\n"
                           "(<void> ai_place <ai> <short>)\n"
                           "Test text for ai_place: what it does, in my own words.");
        QCOMPARE(hover(70), "(<boolean> cheat_deathless_player)\n"
                            "Test text for cheat_deathless_player: what it does, in my own words.");
        QCOMPARE(hover(48), QString()); // in a comment
        QCOMPARE(hover(98), QString()); // unknown_name
    }

    void completionOffersTheListWithSignatures()
    {
        QTest::mouseClick(m_editor->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        m_listDialog.answers = {path("game/functions.txt")};
        child<QAction>(*m_editor, "useFunctionList")->trigger();
        QAbstractItemView* completions = m_editor->findChild<QCompleter*>()->popup();
        const auto rows = [completions] { return test::rowsOf(*completions); };

        // '(' and two letters offer the listed names: overloads on one row, the line that
        // cannot be read left out, the external globals with them.
        QTest::keyClicks(m_editor, "(ai");
        QCOMPARE(rows(),
                 QStringList({"ai_combat_status_active \u2014 external global short",
                              "ai_erase \u2014 function void <ai>",
                              "ai_living_count \u2014 function short <ai>",
                              "ai_magically_see_object \u2014 function void <ai> <object>",
                              "ai_place \u2014 function void <ai> | <ai> <short>",
                              "ai_set_orders \u2014 function void <ai> <ai_orders> [<boolean>] "
                              "[<boolean>]"}));
        QTest::keyClicks(m_editor, "_p");
        QTest::keyClick(completions, Qt::Key_Return);
        QCOMPARE(m_editor->document()->lastBlock().text(), "(ai_place");

        // The language's own forms keep their rules, and so their row.
        QTest::keyClicks(m_editor, " (sl");
        QCOMPARE(rows(), QStringList({"sleep \u2014 form", "sleep_forever \u2014 form",
                                      "sleep_until \u2014 form"}));
        QTest::keyClick(completions, Qt::Key_Escape);

        // Without a list, only the language's and the file's names.
        load("elsewhere/plain.hsc");
        m_editor->moveCursor(QTextCursor::End);
        QTest::keyClicks(m_editor, "(ai");
        QCOMPARE(rows(), QStringList());
    }

    void signatureHelpMarksTheCurrentParameter()
    {
        QTest::mouseClick(m_editor->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QLabel* help = nullptr;
        const auto shown = [&]() -> QString {
            help = m_editor->viewport()->findChild<QLabel*>("signatureHelp");
            return help && help->isVisible() ? help->text() : QString();
        };

        m_listDialog.answers = {path("game/functions.txt")};
        child<QAction>(*m_editor, "useFunctionList")->trigger();
        const struct
        {
            const char* typed;
            QString marked; // the parameter in bold, or "" when hidden
        } steps[] = {
            {"(object_teleport", ""},
            {" ", "&lt;object&gt;"},
            {"(player", ""}, // inside a call of an unlisted name
            {"0) ", "&lt;cutscene_flag&gt;"},
            {")", ""},
            {" (ai_place squad ", "&lt;short&gt;"},
        };
        for (const auto& step : steps) {
            QTest::keyClicks(m_editor, step.typed);
            if (step.marked.isEmpty()) {
                QTRY_COMPARE(shown(), QString());
                continue;
            }
            const QString bold = "<b><u>" + step.marked + "</u></b>";
            QTRY_VERIFY2(shown().contains(bold), qPrintable(step.typed + (" " + shown())));
            QCOMPARE(shown().count("<b><u>"), 1);
            // Beside the line typed in, clear of it: above, or below on the first line.
            QVERIFY(!help->geometry().intersects(m_editor->cursorRect()));
            QVERIFY(m_editor->viewport()->rect().contains(help->geometry()));
        }
    }
};

QTEST_MAIN(TestFunctionListCommands)
#include "tst_functionlistcommands.moc"
