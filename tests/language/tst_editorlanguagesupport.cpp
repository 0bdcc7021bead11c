#include "Contrast.h"
#include "MainWindowFixture.h"
#include "editor/ScriptEditor.h"
#include "language/EditorLanguageSupport.h"
#include "language/ScriptColours.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolTip>
#include <cmath>

using namespace vantrel;
using namespace vantrel::test;

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
    void putCursor(int position) { test::putCursor(*this, position); }
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
                                                     {"", "The name is empty."},
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
        QTRY_COMPARE(editor.accessibleDescription(),
                     "First of 2 problems: " + first + "\nText: Windows-1252, CR LF line ends");
        QCOMPARE(shownAt(editor, 3).underlineStyle(), QTextCharFormat::WaveUnderline);
        QCOMPARE(shownAt(editor, 2).underlineStyle(), QTextCharFormat::NoUnderline);

        hover(editor, 3);
        QTRY_COMPARE(QToolTip::text(), first);

        // With nothing to go to, the command is there but disabled.
        editor.setWholeText(QStringLiteral("(fine)"));
        QTRY_VERIFY(editor.accessibleDescription().startsWith("Text: "));
        std::unique_ptr<QMenu> menu(
            openContextMenu(editor.viewport(), {5, 5}, QContextMenuEvent::Mouse));
        QVERIFY(menu);
        QVERIFY(!child<QAction>(*menu, "goToProblem")->isEnabled());
    }

    // A ')' missing at the end of line 4 is reported at the script's first '(': the note on
    // line 4, in amber, is where Go to Problem goes; the error keeps its red mark.
    void goToProblemGoesWhereTheMistakeWasMostLikelyMade()
    {
        ShownEditor editor(
            QStringLiteral("(script startup a\r\n\t(begin\r\n\t\t(x)\r\n\t\t(y)\r\n\t(z))"));
        const auto at = [&](int line, int column) {
            return editor.document()->findBlockByNumber(line - 1).position() + column - 1;
        };
        QTRY_COMPARE(editor.accessibleDescription().section(u'\n', 0, 0),
                     "First of 2 problems: Line 4, column 5: note: a ')' may be missing after "
                     "this: the next line is indented as if the form were closed");
        QTRY_COMPARE(colourAt(editor, at(4, 5)), ScriptColours::Note);
        QCOMPARE(shownAt(editor, at(4, 5)).underlineStyle(), QTextCharFormat::WaveUnderline);
        QCOMPARE(colourAt(editor, at(3, 5)), ScriptColours::Parenthesis);
        QCOMPARE(colourAt(editor, at(1, 1)), ScriptColours::Problem);
        editor.putCursor(0);
        QMenu* menu = openContextMenu(editor.viewport());
        QVERIFY(menu);
        child<QAction>(*menu, "goToProblem")->trigger();
        QCOMPARE(editor.textCursor().position(), at(4, 5));
        delete menu;
    }

    // The marks name the line and column the saved file will have, whatever its line end:
    // CR LF, LF and CR each end one line, also where the editor shows one as a stand-in.
    void problemsArePlacedAsInTheFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<int>("position"); // in the editor, where Go to Problem puts the cursor
        // Comments before the ')' leave no other closer to suspect, so no note comes first.
        QTest::newRow("LF") << "; a\n\t(b))\n"
                            << "Line 2, column 5" << 8;
        QTest::newRow("CR") << "; a\r\t(b))\r"
                            << "Line 2, column 5" << 8;
        QTest::newRow("CR LF in LF") << "; a\r\n; b\n)\n"
                                     << "Line 3, column 1" << 9;
        QTest::newRow("LF CR in CR LF") << "; a\n\r)\r\n\r\n"
                                        << "Line 3, column 1" << 5;
        QTest::newRow("LF after CR in CR") << "; a\r\n\r; b\r\t)\r"
                                           << "Line 4, column 2" << 11;
    }

    void problemsArePlacedAsInTheFile()
    {
        QFETCH(QString, text);
        QFETCH(QString, problem);
        QFETCH(int, position);
        ShownEditor editor(text);
        QCOMPARE(editor.wholeText(), text);
        QTRY_COMPARE(editor.accessibleDescription().section(u'\n', 0, 0),
                     "Problem: " + problem + ": ')' closes nothing");
        std::unique_ptr<QMenu> menu(
            openContextMenu(editor.viewport(), {5, 5}, QContextMenuEvent::Mouse));
        QVERIFY(menu);
        child<QAction>(*menu, "goToProblem")->trigger();
        QCOMPARE(editor.textCursor().position(), position);
        QCOMPARE(editor.document()->characterAt(position), u')');
    }

    // The declaration rules mark the editor as vantrel check reports them; a warning says
    // it is one.
    void declarationProblemsAreMarkedWhereTheCheckReportsThem()
    {
        ShownEditor editor(QStringLiteral("(global short a 1)\r\n(script continous b (c))\r\n ()"));
        QTRY_COMPARE(editor.accessibleDescription().section(u'\n', 0, 0),
                     "First of 2 problems: Line 2, column 9: unknown script type 'continous'");
        QCOMPARE(shownAt(editor, 27).underlineStyle(), QTextCharFormat::WaveUnderline);
        hover(editor, 45);
        QTRY_COMPARE(QToolTip::text(),
                     QStringLiteral("Line 3, column 2: warning: empty form '()'"));
        editor.setWholeText(QStringLiteral("(global short a 1)\r\n(script continuous b (c))"));
        QTRY_COMPARE(editor.accessibleDescription(), "Text: Windows-1252, CR LF line ends");
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
