#include "editor/EditorText.h"
#include "editor/ScriptEditor.h"
#include "script/Windows1252.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTest>

using vantrel::LineEnd;
using vantrel::ScriptEditor;
using vantrel::TextEncoding;
using vantrel::TextFormat;

Q_DECLARE_METATYPE(LineEnd)

namespace {

// The text that Save takes from the editor, piece by piece.
QString inPieces(const ScriptEditor& editor)
{
    QString text;
    editor.wholeTextInPieces().forEachPiece([&text](std::u16string_view piece) {
        text += QStringView(piece.data(), qsizetype(piece.size()));
        return true;
    });
    return text;
}

// A text as a script file can hold it: every character one of the 256 of Windows-1252, so
// the euro sign, the dashes and the trade mark sign among them, with runs of CR and LF
// mixed in.
QString randomFileText(QRandomGenerator& random, int length)
{
    QString text;
    for (int i = 0; i < length; ++i) {
        const int pick = random.bounded(6);
        if (pick < 2)
            text += QString(random.bounded(1, 4), QChar(pick == 0 ? u'\r' : u'\n'));
        else
            text += QString::fromStdU16String(
                vantrel::decodeWindows1252(std::string(1, char(random.bounded(256)))));
    }
    return text;
}

// How many editor lines a text makes: one more than its own line ends.
int linesOf(const QString& text, LineEnd lineEnd)
{
    const QString end = QString::fromStdU16String(std::u16string(vantrel::LineEndText(lineEnd)));
    if (lineEnd != LineEnd::CrLf)
        return int(text.count(end)) + 1;
    return int(text.count(QStringLiteral("\r\n"))) + 1;
}

bool exposed(ScriptEditor& editor)
{
    editor.show();
    return QTest::qWaitForWindowExposed(&editor);
}

} // namespace

class ScriptEditorTest : public QObject
{
    Q_OBJECT

private slots:
    void wholeTextRoundTripsThroughTheRealWidget()
    {
        ScriptEditor editor;
        QVERIFY(exposed(editor));
        QStringList samples = {"", "\r\n", "\r", "\n", "\n\r", "x\u00a0y\u00a0", "\r\n\r\n"};
        samples << QString();
        std::string everyByte;
        for (int code = 0; code < 256; ++code) {
            samples.last() += QChar(char16_t(code));
            everyByte += char(code);
        }
        samples << QString::fromStdU16String(vantrel::decodeWindows1252(everyByte));
        QRandomGenerator random(1234);
        for (int i = 0; i < 200; ++i)
            samples << randomFileText(random, random.bounded(1, 300));
        // Longer than the pieces Save hands on, so that stand-ins fall on their edges.
        for (int i = 0; i < 4; ++i)
            samples << randomFileText(random, random.bounded(20000, 60000));
        // Each line end of its own, and mixed ones.
        for (const QString& text : {QStringLiteral("a\nb\r\nc\n"), QStringLiteral("a\rb\r\n\r"),
                                    QStringLiteral("\n\n\r\n(x)\r\n(y)\r\n")})
            samples << text << text.repeated(3000);
        for (const QString& text : samples) {
            editor.setWholeText(text);
            QCOMPARE(editor.wholeText(), text);
            QCOMPARE(inPieces(editor), text);
            const LineEnd lineEnd = vantrel::MostCommonLineEnd(vantrel::lexerView(text));
            QCOMPARE(editor.textFormat().lineEnd, lineEnd);
            QCOMPARE(editor.document()->blockCount(), linesOf(text, lineEnd));
        }
    }

    // After every kind of change Save must still read exactly the editor's text.
    // A tab reaches the next stop eight average characters on, in the editor's font at the
    // time: a level script indented with tabs stays readable.
    void tabStopsAreEightAverageCharacters()
    {
        ScriptEditor editor;
        editor.setWordWrapMode(QTextOption::NoWrap);
        editor.resize(600, 200);
        editor.setWholeText(QStringLiteral("\t\tx\r\nabcd\tx"));
        for (const int size : {8, 16}) {
            QFont font = editor.font();
            font.setPixelSize(size);
            editor.setFont(font);
            const qreal average = QFontMetricsF(font).horizontalAdvance(QStringLiteral(
                                      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                                  52;
            const auto xAt = [&editor](int position) {
                QTextCursor cursor(editor.document());
                cursor.setPosition(position);
                return editor.cursorRect(cursor).left() -
                       editor.cursorRect(QTextCursor(editor.document())).left();
            };
            QVERIFY2(std::abs(xAt(2) - 16 * average) <= 1.5, qPrintable(QString::number(xAt(2))));
            QCOMPARE(xAt(9), xAt(1)); // "abcd" then a tab: at the first stop
        }
    }

    void savedTextFollowsEveryChange()
    {
        ScriptEditor editor;
        QVERIFY(exposed(editor));
        QRandomGenerator random(99);
        // Whole texts of every line end and encoding come and go, the format with them.
        std::vector<std::pair<QString, TextFormat>> wholeTexts;
        for (int step = 0; step < 600; ++step) {
            if (step % 50 == 0) {
                const QString text = randomFileText(random, random.bounded(0, 400));
                const auto encoding = TextEncoding(random.bounded(3));
                editor.setWholeText(text, encoding);
                wholeTexts.push_back(
                    {text, {vantrel::MostCommonLineEnd(vantrel::lexerView(text)), encoding}});
                QCOMPARE(editor.wholeText(), text);
                QVERIFY(editor.textFormat() == wholeTexts.back().second);
            }
            const int length = editor.document()->characterCount() - 1;
            QTextCursor at(editor.document());
            at.setPosition(random.bounded(length + 1));
            at.setPosition(random.bounded(length + 1), QTextCursor::KeepAnchor);
            switch (random.bounded(6)) {
            case 0:
                at.insertText(vantrel::toEditorInput(randomFileText(random, random.bounded(4))));
                break;
            case 1:
                at.removeSelectedText();
                break;
            case 2:
                editor.undo();
                break;
            case 3:
                editor.redo();
                break;
            case 4:
                editor.setTextCursor(at);
                QTest::keyClick(&editor, Qt::Key_Return);
                break;
            default:
                editor.setTextCursor(at);
                QTest::keyClick(&editor, Qt::Key_Backspace);
            }
            QCOMPARE(inPieces(editor), editor.wholeText());
            QCOMPARE(editor.wholeTextInPieces().encoding(), editor.textFormat().encoding);
        }
        // Undone to the start, each whole text comes back with its format, byte for byte.
        while (editor.document()->isUndoAvailable()) {
            editor.undo();
            const auto same = [&](const auto& whole) { return whole.first == editor.wholeText(); };
            const auto found = std::ranges::find_if(wholeTexts, same);
            if (std::ranges::count_if(wholeTexts, same) == 1)
                QVERIFY(editor.textFormat() == found->second);
        }
        QCOMPARE(editor.wholeText(), QString());
    }

    void replacingLeavesTheCursorAtTheStart()
    {
        ScriptEditor editor;
        QVERIFY(exposed(editor));
        for (const QString& before :
             {QString(), QStringLiteral("old\r\ntext"), QStringLiteral("x")}) {
            editor.setWholeText(before);
            editor.moveCursor(QTextCursor::End);
            editor.setWholeText(QStringLiteral("a\r\nb"));
            QCOMPARE(editor.textCursor().position(), 0);
            QVERIFY(!editor.textCursor().hasSelection());
            QTest::keyClicks(&editor, QStringLiteral("12"));
            QCOMPARE(editor.wholeText(), QStringLiteral("12a\r\nb"));
        }
    }

    // Enter and pasted text take the text's own line end. The editor's stand-ins, pasted
    // or typed, never come out as the control characters they stand for: the separators
    // are line ends, the symbols for CR and NUL the replacement character.
    void typedAndPastedLineEndsAreTheTexts_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("lineEnd");
        const auto row = [](const char* tag, const char* before, const char* lineEnd) {
            QTest::newRow(tag) << QString(before) << QString(lineEnd);
        };
        row("empty", "", "\r\n");
        row("CR LF", "x\r\n", "\r\n");
        row("LF", "x\n", "\n");
        row("CR", "x\r", "\r");
        row("mixed, mostly LF", "x\r\n\n\n", "\n");
    }
    void typedAndPastedLineEndsAreTheTexts()
    {
        QFETCH(QString, before);
        QFETCH(QString, lineEnd);
        ScriptEditor editor;
        QVERIFY(exposed(editor));
        editor.setWholeText(before);
        QTest::keyClicks(&editor, QStringLiteral("ab"));
        QTest::keyClick(&editor, Qt::Key_Return);
        QTest::keyClicks(&editor, QStringLiteral("c"));
        QTest::keyClick(&editor, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClick(&editor, Qt::Key_Enter, Qt::KeypadModifier);
        QApplication::clipboard()->setText(
            QStringLiteral("1\n2\r3\r\n4\u00a0\u20285\u20296\u240D7\u24008") + QChar(0) + "9");
        editor.paste();
        // As a keyboard layout or a compose key would type them.
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                        QStringLiteral("\u240D\u2028"));
        QApplication::sendEvent(&editor, &typed);
        const QString n = lineEnd;
        QCOMPARE(editor.wholeText(), "ab" + n + "c" + n + n + "1" + n + "2" + n + "3" + n +
                                         "4\u00a0" + n + "5" + n + "6\uFFFD7\uFFFD8" + QChar(0) +
                                         "9\uFFFD" + n + before);
        QCOMPARE(inPieces(editor), editor.wholeText());
    }

    // Copying puts what the stand-ins stand for on the clipboard, so that pasting it back
    // gives the same bytes.
    void copiedStandInsPasteBackTheSame()
    {
        ScriptEditor editor;
        const QString text = QStringLiteral("a\r\nb\n") + QChar(0) + "c\n";
        editor.setWholeText(text); // LF: the CR LF is a stand-in CR and a line break
        editor.selectAll();
        editor.copy();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("a\r\nb\n") + QChar(0) + "c\n");
        editor.moveCursor(QTextCursor::End);
        editor.paste();
        // Pasted CR LF becomes the text's LF.
        QCOMPARE(editor.wholeText(), text + QStringLiteral("a\nb\n") + QChar(0) + "c\n");
    }

    // Undo and Redo across whole texts give back their exact bytes: the line end and the
    // encoding go back with the text.
    void undoAndRedoBringBackTheFormat()
    {
        ScriptEditor editor;
        const QString lf = QStringLiteral("(a)\n(b)\r\n(\u201c)\n");
        const QString crLf = QStringLiteral("(c)\r\n(d)\n(e)\r\n");
        const QString cr = QStringLiteral("(f)\r(g)\r");
        editor.setWholeText(lf, TextEncoding::Utf8);
        editor.setWholeText(crLf);
        editor.setWholeText(cr, TextEncoding::Utf8WithByteOrderMark);
        const QList<std::pair<QString, TextFormat>> states = {
            {QString(), {}},
            {lf, {LineEnd::Lf, TextEncoding::Utf8}},
            {crLf, {LineEnd::CrLf, TextEncoding::Windows1252}},
            {cr, {LineEnd::Cr, TextEncoding::Utf8WithByteOrderMark}}};
        const auto expect = [&](int state) {
            QCOMPARE(editor.wholeText(), states[state].first);
            QCOMPARE(inPieces(editor), states[state].first);
            QVERIFY(editor.textFormat() == states[state].second);
            QCOMPARE(editor.wholeTextInPieces().encoding(), states[state].second.encoding);
        };
        for (int state = 2; state >= 0; --state) {
            editor.undo();
            expect(state);
        }
        for (int state = 1; state <= 3; ++state) {
            editor.redo();
            expect(state);
        }
        // An edit after an Undo keeps the format of the text it edits.
        editor.undo();
        QTextCursor cursor(editor.document());
        cursor.insertBlock();
        QCOMPARE(editor.wholeText(), "\r\n" + crLf);
    }
};

QTEST_MAIN(ScriptEditorTest)
#include "tst_scripteditor.moc"
