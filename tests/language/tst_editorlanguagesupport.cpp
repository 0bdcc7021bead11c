#include "NamedChild.h"
#include "editor/ScriptEditor.h"
#include "language/EditorLanguageSupport.h"
#include "language/ScriptColours.h"
#include "mainwindow/Form1.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolTip>
#include <cmath>

using namespace vantrel;

namespace {

// What the editor's layout shows the character at `position` with: the colour (invalid for
// the box's own grey), or whether it is underlined as a problem.
QTextCharFormat shownAt(const ScriptEditor& editor, int position)
{
    const QTextBlock block = editor.document()->findBlock(position);
    QTextCharFormat shown;
    for (const QTextLayout::FormatRange& range : block.layout()->formats())
        if (position - block.position() >= range.start &&
            position - block.position() < range.start + range.length)
            shown.merge(range.format);
    return shown;
}

// The mouse rests on the character at `position`, asking for its tooltip.
void hover(ScriptEditor& editor, int position)
{
    QTextCursor at(editor.document());
    at.setPosition(position);
    const QPoint point = editor.cursorRect(at).center() + QPoint(2, 0);
    QHelpEvent help(QEvent::ToolTip, point, editor.viewport()->mapToGlobal(point));
    QApplication::sendEvent(editor.viewport(), &help);
}

QColor colourAt(const ScriptEditor& editor, int position)
{
    return shownAt(editor, position).foreground().color();
}

QList<int> partnerMarks(const ScriptEditor& editor)
{
    QList<int> marks;
    for (const QTextEdit::ExtraSelection& mark : editor.extraSelections())
        marks << mark.cursor.selectionStart();
    std::sort(marks.begin(), marks.end());
    return marks;
}

// WCAG contrast between two colours.
double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double one = luminance(a), other = luminance(b);
    return (std::max(one, other) + 0.05) / (std::min(one, other) + 0.05);
}

struct ShownEditor : ScriptEditor
{
    explicit ShownEditor(const QString& text, bool language = true)
    {
        setLanguageSupport(*this, language);
        resize(300, 200);
        show();
        QVERIFY(QTest::qWaitForWindowExposed(this));
        setWholeText(text);
    }
    void putCursor(int position)
    {
        QTextCursor cursor(document());
        cursor.setPosition(position);
        setTextCursor(cursor);
    }
};

} // namespace

class EditorLanguageSupportTest : public QObject
{
    Q_OBJECT

private slots:
    void everyColourReadsOnBlack()
    {
        for (const QColor& colour : ScriptColours::OnBlack)
            QVERIFY2(contrast(colour, Qt::black) >= 4.5, qPrintable(colour.name()));
        QVERIFY(contrast(ScriptColours::PartnerText, ScriptColours::PartnerBackground) >= 4.5);
    }

    void mainWindowMarksNamesAndColoursTheCompiledScript()
    {
        Form1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* box = child<QLineEdit>(window, "txtvehic");
        auto* mark = child<QAction>(*box, "nameMark");
        const std::pair<QString, QString> names[] = {{"Warthog_vehic", ""},
                                                     {"a(b", "The name holds a parenthesis"},
                                                     {"a;b", "The name holds a semicolon"},
                                                     {"", "The name is empty."},
                                                     {"Warthog\"", "The name holds a double quote"},
                                                     {"Warthog vehic", "The name holds a space"}};
        for (const auto& [typed, problem] : names) {
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClicks(box, typed);
            QCOMPARE(mark->isVisible(), !problem.isEmpty());
            QCOMPARE(box->toolTip().left(problem.size()), problem);
            QCOMPARE(box->accessibleDescription(), box->toolTip());
            QCOMPARE(box->toolTip().contains("underscores"), !problem.isEmpty());
        }
        // The mark only informs: the name goes into the script as it stands.
        child<QPushButton>(window, "cmdcmpl")->click();
        QVERIFY(window.scriptText().contains(u"(object_teleport \"Warthog vehic\" "_qs));
        const auto* script = child<ScriptEditor>(window, "Txt1");
        // (script continuous "Vehicle_Tele" / (if / (volume_test_object "Enter" ...
        const std::pair<int, QColor> expected[] = {
            {0, ScriptColours::Parenthesis}, {3, ScriptColours::FormOpener},
            {10, ScriptColours::ScriptKind}, {22, ScriptColours::String},
            {37, ScriptColours::FormOpener}, {47, ScriptColours::Call}};
        for (const auto& [position, colour] : expected)
            QTRY_COMPARE(colourAt(*script, position), colour);
        const auto* notes = child<ScriptEditor>(window, "Text1");
        QVERIFY(!hasLanguageSupport(*notes));
        QVERIFY(notes->document()->firstBlock().layout()->formats().isEmpty());
    }

    void partnerOfTheParenthesisBesideTheCursor()
    {
        ShownEditor editor(QStringLiteral("(a (b \")\") ; )\r\n c)"));
        const std::pair<int, QList<int>> rows[] = {{0, {0, 17}}, {10, {3, 9}}, {4, {3, 9}},
                                                   {8, {}},      {14, {}},     {18, {0, 17}}};
        for (const auto& [cursor, marks] : rows) {
            editor.putCursor(cursor);
            QTRY_COMPARE(partnerMarks(editor), marks);
        }
    }

    void problemIsMarkedDescribedAndReachable()
    {
        ShownEditor editor(QStringLiteral("(a))\r\n(b"));
        const QString first = QStringLiteral("Line 1, column 4: ')' closes nothing");
        QTRY_COMPARE(editor.accessibleDescription(), "First of 2 problems: " + first);
        QCOMPARE(shownAt(editor, 3).underlineStyle(), QTextCharFormat::WaveUnderline);
        QCOMPARE(shownAt(editor, 2).underlineStyle(), QTextCharFormat::NoUnderline);

        hover(editor, 3);
        QTRY_COMPARE(QToolTip::text(), first);

        for (const QString& text : {QStringLiteral("(fine)"), QStringLiteral("(a))\r\n(b")}) {
            editor.setWholeText(text);
            editor.putCursor(6);
            QTRY_COMPARE(editor.accessibleDescription().isEmpty(), text == "(fine)");
            QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                    editor.mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(editor.viewport(), &click);
            auto* menu = editor.findChild<QMenu*>();
            QVERIFY(menu);
            auto* go = child<QAction>(*menu, "goToProblem");
            QCOMPARE(go->isEnabled(), text != "(fine)");
            go->trigger();
            QCOMPARE(editor.textCursor().position(), text == "(fine)" ? 6 : 3);
            delete menu;
        }
    }

    // The declaration rules mark the editor as vantrel check reports them; a warning says
    // it is one.
    void declarationProblemsAreMarkedWhereTheCheckReportsThem()
    {
        ShownEditor editor(QStringLiteral("(global short a 1)\r\n(script continous b (c))\r\n ()"));
        QTRY_COMPARE(editor.accessibleDescription(),
                     "First of 2 problems: Line 2, column 9: unknown script type 'continous'");
        QCOMPARE(shownAt(editor, 27).underlineStyle(), QTextCharFormat::WaveUnderline);
        hover(editor, 45);
        QTRY_COMPARE(QToolTip::text(),
                     QStringLiteral("Line 3, column 2: warning: empty form '()'"));
        editor.setWholeText(QStringLiteral("(global short a 1)\r\n(script continuous b (c))"));
        QTRY_COMPARE(editor.accessibleDescription(), QString());
    }

    void blockCommentColoursTheLinesBelowUntilTakenBack()
    {
        ShownEditor editor(QStringLiteral("(a)\r\n").repeated(400));
        const auto closer = [&](int line) { // the ')' of a line
            return colourAt(editor, editor.document()->findBlockByNumber(line).position() + 2);
        };
        QTest::keyClicks(&editor, QStringLiteral(";*"));
        QTRY_COMPARE(closer(5), ScriptColours::Comment);
        editor.moveCursor(QTextCursor::End);
        QTRY_COMPARE(closer(399), ScriptColours::Comment);
        editor.moveCursor(QTextCursor::Start);
        QTest::keyClick(&editor, Qt::Key_Delete);
        QTRY_COMPARE(closer(5), ScriptColours::Parenthesis);
        editor.moveCursor(QTextCursor::End);
        QTRY_COMPARE(closer(399), ScriptColours::Parenthesis);
    }

    void marksNeverEnterTheTextOrItsUndo()
    {
        ShownEditor editor(QStringLiteral("(x))\r\n")), plain(QStringLiteral("(x))\r\n"), false);
        for (ScriptEditor* box : {&editor, &plain}) {
            QTest::keyClicks(box, QStringLiteral("(a ;* \"b"));
            QTest::keyClick(box, Qt::Key_Return);
        }
        QTRY_VERIFY(!editor.accessibleDescription().isEmpty());
        QCOMPARE(editor.wholeText(), QStringLiteral("(a ;* \"b\r\n(x))\r\n"));
        for (int step = 0; step < 3; ++step) {
            QCOMPARE(editor.document()->availableUndoSteps(),
                     plain.document()->availableUndoSteps());
            QCOMPARE(editor.wholeText(), plain.wholeText());
            editor.undo();
            plain.undo();
        }
    }
};

QTEST_MAIN(EditorLanguageSupportTest)
#include "tst_editorlanguagesupport.moc"
