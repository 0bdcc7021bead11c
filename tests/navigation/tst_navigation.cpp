#include "MainWindowFixture.h"
#include "editor/ScriptEditor.h"
#include "navigation/Occurrences.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QListView>

using namespace vantrel;
using namespace vantrel::test;

namespace {

const QString Script = QStringLiteral("(global short wave_count 0)\r\n"
                                      "(script stub void f_open_door (sleep 0))\r\n"
                                      "(script static void f_open_door\r\n"
                                      "\t(device_set_power door_1 1))\r\n"
                                      "(script static void (f_place (ai squad) (short n))\r\n"
                                      "\t(ai_place squad n))\r\n"
                                      "(script dormant enc_bridge\r\n"
                                      "\t(f_open_door)\r\n"
                                      "\t(set wave_count (+ Wave_Count 1))\r\n"
                                      "\t(f_place bridge_squad wave_count))\r\n"
                                      "(script startup mission\r\n"
                                      "\t(wake enc_bridge))");

// Where the n-th (from 0) occurrence of a text is in the editor, whose CR LF line ends
// are one character each.
int positionOf(const QString& text, int nth = 0)
{
    const QString shown = QString(Script).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    int at = -1;
    for (int n = 0; n <= nth; ++n)
        at = int(shown.indexOf(text, at + 1));
    return at;
}

// A key goes where the window system would send it: to an open popup (the completion
// list), else to the widget with the focus.
QWidget* keyReceiver()
{
    QWidget* popup = QApplication::activePopupWidget();
    if (popup && popup->focusWidget())
        return popup->focusWidget();
    return popup ? popup : QApplication::focusWidget();
}

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(keyReceiver(), Qt::Key(key), modifiers);
}

void typeKeys(const QString& text)
{
    for (QChar c : text)
        QTest::keyClicks(keyReceiver(), QString(c));
}

QList<int> occurrenceStarts(const ScriptEditor& editor)
{
    QList<int> starts;
    for (const auto& mark : editor.selectionGroup(Occurrences::Group))
        starts << mark.cursor.selectionStart();
    return starts;
}

} // namespace

class NavigationTest : public QObject, MainWindowFixture
{
    Q_OBJECT

    ScriptEditor* m_editor = nullptr;

    void putCursor(int position) const { test::putCursor(*m_editor, position); }
    // Lines typed at the end of the script, after the check has read it.
    void atTheEnd()
    {
        m_editor->moveCursor(QTextCursor::End);
        press(Qt::Key_Return);
    }
    QAbstractItemView* completions() const { return m_editor->findChild<QCompleter*>()->popup(); }
    QString lastLine() const { return m_editor->document()->lastBlock().text(); }

private slots:
    void initTestCase() { setUpApplication(*qApp); }

    // Each command is the editor's, with its key; each part a screen reader reaches has a name.
    void reachableAndNamed()
    {
        QStringList commands;
        for (const QAction* action : m_editor->actions())
            commands << action->text() + u'=' + action->shortcut().toString();
        // Among the editor's other commands (find, the large window, the file's state).
        for (const char* command : {"Go to Script\u2026=Ctrl+Shift+O", "Go to Definition=F12",
                                    "Complete Name=Ctrl+Space"})
            QVERIFY2(commands.contains(QString::fromUtf8(command)), command);
        press(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        for (const char* name : {"outline", "outlineFilter", "outlineList"})
            QVERIFY2(!accessibleName(child<QWidget>(*m_editor, name)).isEmpty(), name);
        press(Qt::Key_Escape);
        atTheEnd();
        typeKeys(QStringLiteral("(wa"));
        QWidget* list = completions();
        QVERIFY(list->isVisible());
        QCOMPARE(accessibleName(list), QStringLiteral("Name completions"));
    }

    void init()
    {
        openMainWindow();
        m_editor = control<ScriptEditor>("Txt1");
        m_window->setScriptText(Script);
        m_editor->setFocus();
        putCursor(positionOf("wave_count"));
        // The check has read the declarations once the first one is known as a name.
        QTRY_VERIFY(!m_editor->selectionGroup(Occurrences::Group).isEmpty());
    }

    void cleanup() { m_window.reset(); }

    void outlineFiltersAndGoes_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("downs");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("goesTo");
        QTest::newRow("everything, first")
            << "" << 0 << QStringList{"wave_count \u2014 global short, line 1",
                                      "f_open_door \u2014 script stub void, line 2",
                                      "f_open_door \u2014 script static void, line 3",
                                      "f_place \u2014 script static void, line 5",
                                      "enc_bridge \u2014 script dormant, line 7",
                                      "mission \u2014 script startup, line 11"}
            << positionOf("wave_count");
        QTest::newRow("narrowed, any case")
            << "F_O" << 1
            << QStringList{"f_open_door \u2014 script stub void, line 2",
                           "f_open_door \u2014 script static void, line 3"}
            << positionOf("f_open_door", 1);
        QTest::newRow("parameter list")
            << "place" << 3 << QStringList{"f_place \u2014 script static void, line 5"}
            << positionOf("f_place");
        QTest::newRow("nothing: Enter waits") << "xyz" << 0 << QStringList{} << -1;
    }

    void outlineFiltersAndGoes()
    {
        QFETCH(QString, filter);
        QFETCH(int, downs);
        press(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        auto* box = child<QLineEdit>(*m_editor, "outlineFilter");
        auto* list = child<QListView>(*m_editor, "outlineList");
        QVERIFY(box->isVisible());
        QCOMPARE(QApplication::focusWidget(), box);
        typeKeys(filter);
        QTEST(rowsOf(*list), "rows");
        for (int n = 0; n < downs; ++n)
            press(Qt::Key_Down);
        press(Qt::Key_Return);
        QFETCH(int, goesTo);
        if (goesTo < 0) {
            QVERIFY(box->isVisible());
            QCOMPARE(QApplication::focusWidget(), box);
            press(Qt::Key_Escape);
            goesTo = positionOf("wave_count");
        }
        QCOMPARE(m_editor->textCursor().position(), goesTo);
        QCOMPARE(QApplication::focusWidget(), m_editor);
        QVERIFY(!box->isVisible());
        QCOMPARE(m_window->scriptText(), Script);
    }

    void goToDefinition_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("goesTo");
        QTest::newRow("a call of a static")
            << positionOf("f_place", 1) + 3 << positionOf("f_place");
        QTest::newRow("a stub: its static")
            << positionOf("f_open_door", 2) << positionOf("f_open_door", 1);
        QTest::newRow("a global, other case")
            << positionOf("Wave_Count") + 10 << positionOf("wave_count");
        QTest::newRow("no declaration") << positionOf("squad", 1) << positionOf("squad", 1);
        QTest::newRow("a form") << positionOf("wake") + 1 << positionOf("wake") + 1;
    }

    void goToDefinition()
    {
        QFETCH(int, from);
        putCursor(from);
        press(Qt::Key_F12);
        QTEST(m_editor->textCursor().position(), "goesTo");

        // Ctrl+click does the same where the mouse points.
        putCursor(0);
        QTextCursor at(m_editor->document());
        at.setPosition(from);
        const QPoint point = m_editor->cursorRect(at).center() + QPoint(1, 0);
        QTest::mouseClick(m_editor->viewport(), Qt::LeftButton, Qt::ControlModifier, point);
        QTEST(m_editor->textCursor().position(), "goesTo");
    }

    // The other places of the name under the cursor are marked; the parenthesis partner
    // beside the cursor stays marked with them.
    void occurrences_data()
    {
        QTest::addColumn<int>("at");
        QTest::addColumn<QList<int>>("marked");
        const int wave = positionOf("wave_count");
        QTest::newRow("a global") << wave + 2
                                  << QList<int>{positionOf("wave_count", 1),
                                                positionOf("Wave_Count"),
                                                positionOf("wave_count", 2)};
        QTest::newRow("at its end, beside ')'")
            << positionOf("wave_count", 2) + 10
            << QList<int>{wave, positionOf("wave_count", 1), positionOf("Wave_Count")};
        QTest::newRow("a stub and its static")
            << positionOf("f_open_door", 2)
            << QList<int>{positionOf("f_open_door"), positionOf("f_open_door", 1)};
        QTest::newRow("a name of no declaration") << positionOf("squad") << QList<int>{};
    }

    void occurrences()
    {
        QFETCH(int, at);
        putCursor(at);
        QFETCH(QList<int>, marked);
        QTRY_COMPARE(occurrenceStarts(*m_editor), marked);
        const auto parenthesis = [&](int position) {
            const QChar c = m_editor->document()->characterAt(position);
            return c == u'(' || c == u')';
        };
        const bool besideParenthesis = parenthesis(at) || parenthesis(at - 1);
        QTRY_COMPARE(m_editor->extraSelections().size(),
                     marked.size() + (besideParenthesis ? 2 : 0));
    }

    void completion_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("line");
        const QStringList f{"f_open_door \u2014 script static void",
                            "f_place \u2014 script static void"};
        QTest::newRow("Enter takes the first")
            << "(f_" << f << int(Qt::Key_Return) << "(f_open_door";
        QTest::newRow("Tab after Down") << "(F_" << f << int(Qt::Key_Down) << "(f_place";
        QTest::newRow("narrowed") << "(f_p" << QStringList{f[1]} << int(Qt::Key_Tab) << "(f_place";
        QTest::newRow("forms and globals")
            << "(wa" << QStringList{"wake \u2014 form", "wave_count \u2014 global short"}
            << int(Qt::Key_Enter) << "(wake";
        QTest::newRow("no '(' before") << " wa" << QStringList{} << int(Qt::Key_Return) << "";
    }

    void completion()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, offered);
        QFETCH(int, key);
        atTheEnd();
        typeKeys(typed);
        QAbstractItemView* list = completions();
        QCOMPARE(list->isVisible(), !offered.isEmpty());
        if (offered.isEmpty())
            return;
        QCOMPARE(rowsOf(*list).mid(0, offered.size()), offered);
        QCOMPARE(list->model()->rowCount(), offered.size());
        if (key == Qt::Key_Down) {
            press(Qt::Key_Down);
            key = Qt::Key_Tab;
        }
        press(key);
        QVERIFY(!list->isVisible());
        QTEST(lastLine(), "line");
        QCOMPARE(QApplication::focusWidget(), m_editor);
    }

    void completionOnRequest()
    {
        atTheEnd();
        typeKeys(QStringLiteral("(sleep_until mi"));
        QVERIFY(!completions()->isVisible()); // no '(' before: it waits to be asked
        press(Qt::Key_Space, Qt::ControlModifier);
        QAbstractItemView* list = completions();
        QVERIFY(list->isVisible());
        QCOMPARE(rowsOf(*list), QStringList{"mission \u2014 script startup"});
        press(Qt::Key_Return);
        QCOMPARE(lastLine(), QStringLiteral("(sleep_until mission"));

        // With nothing typed, every name and form is offered.
        typeKeys(QStringLiteral(" "));
        press(Qt::Key_Space, Qt::ControlModifier);
        QVERIFY(list->isVisible());
        QCOMPARE(list->model()->rowCount(), 5 + 16);
        press(Qt::Key_Escape);
        QCOMPARE(lastLine(), QStringLiteral("(sleep_until mission "));
    }
};

QTEST_MAIN(NavigationTest)
#include "tst_navigation.moc"
