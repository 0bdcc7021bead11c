#include "editor/EditorText.h"
#include "editor/ScriptEditor.h"
#include "script/Windows1252.h"

#include <QApplication>
#include <QClipboard>
#include <QRandomGenerator>
#include <QTest>
#ifdef VANTREL_FAST_SAVE
#include <private/qtextdocument_p.h>
#endif

using vantrel::KnownStretches;
using vantrel::ScriptEditor;
using vantrel::toEditorText;

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

} // namespace

class ScriptEditorTest : public QObject
{
    Q_OBJECT

private slots:
    void wholeTextRoundTripsThroughTheRealWidget()
    {
        ScriptEditor editor;
        editor.show();
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
        for (const QString& text : samples) {
            editor.setWholeText(text);
            QCOMPARE(editor.wholeText(), text);
            QCOMPARE(inPieces(editor), text);
        }
    }

    // Save reads what went in whole straight from the document's buffer, and only the parts
    // changed since the long way.
    void wholeTextIsReadStraightAndChangesTheLongWay()
    {
#ifndef VANTREL_FAST_SAVE
        QSKIP("Built without Save's fast path: nothing is read from the document's buffer");
#endif
        ScriptEditor editor;
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        const auto known = [&editor] {
            std::vector<std::int64_t> lengths;
            for (const auto& stretch : editor.wholeTextInPieces().knownStretches().stretches())
                lengths.push_back(stretch.bufferFrom == KnownStretches::Unknown ? -stretch.length
                                                                                : stretch.length);
            return lengths;
        };
        editor.setWholeText(QStringLiteral("(script)\r\n(if)\n\rend"));
        QCOMPARE(known(), (std::vector<std::int64_t>{18}));
        QTextCursor cursor(editor.document());
        cursor.setPosition(3);
        cursor.insertText(QStringLiteral("xy"));
        QCOMPARE(known(), (std::vector<std::int64_t>{3, -2, 15}));
        QCOMPARE(inPieces(editor), QStringLiteral("(scxyript)\r\n(if)\n\rend"));
    }

    // After every kind of change Save must still read exactly the editor's text.
    void savedTextFollowsEveryChange()
    {
        ScriptEditor editor;
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QRandomGenerator random(99);
        for (int step = 0; step < 400; ++step) {
            if (step % 50 == 0)
                editor.setWholeText(randomFileText(random, random.bounded(0, 400)));
            const int length = editor.document()->characterCount() - 1;
            QTextCursor at(editor.document());
            at.setPosition(random.bounded(length + 1));
            at.setPosition(random.bounded(length + 1), QTextCursor::KeepAnchor);
            switch (random.bounded(6)) {
            case 0:
                at.insertText(toEditorText(randomFileText(random, random.bounded(4))));
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
        }
    }

    // Without an undo history the document packs its buffer anew once enough of it is
    // removed text, which moves every run of it: Save must not read the old places.
    void savedTextFollowsADocumentWithoutUndo()
    {
#ifndef VANTREL_FAST_SAVE
        QSKIP("Built without Save's fast path: nothing is read from the document's buffer");
#else
        ScriptEditor editor;
        const QString line = QStringLiteral("(object_teleport \"Warthog\" \"Exit\")\r\n");
        editor.setWholeText(line.repeated(100000));
        editor.document()->setUndoRedoEnabled(false);
        const auto bufferLength = [&editor] {
            return QTextDocumentPrivate::get(editor.document())->buffer().size();
        };
        QTextCursor cursor(editor.document());
        bool packed = false;
        for (int step = 0; step < 100 && !packed; ++step) {
            const qsizetype before = bufferLength();
            cursor.movePosition(QTextCursor::End);
            cursor.insertText(toEditorText(line.repeated(1000)));
            // Enough removed text to be worth packing, between a start and an end still
            // as they went in.
            cursor.setPosition(10);
            cursor.setPosition(50010, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            packed = bufferLength() < before;
            QCOMPARE(inPieces(editor), editor.wholeText());
        }
        QVERIFY(packed);
        // With undo back on, the packed buffer grows past the places it had before.
        editor.document()->setUndoRedoEnabled(true);
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(toEditorText(line.repeated(40000)));
        QCOMPARE(inPieces(editor), editor.wholeText());
#endif
    }

    void replacingCanBeUndone()
    {
        ScriptEditor editor;
        editor.setWholeText(QStringLiteral("hand edits\r\n"));
        editor.setWholeText(QStringLiteral("compiled"));
        editor.undo();
        QCOMPARE(editor.wholeText(), QStringLiteral("hand edits\r\n"));
        QCOMPARE(inPieces(editor), editor.wholeText());
        editor.undo(); // back to the empty editor: its placeholder took no step of its own
        QCOMPARE(editor.wholeText(), QString());
    }

    void replacingLeavesTheCursorAtTheStart()
    {
        ScriptEditor editor;
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
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

    void typedAndPastedLineEndsAreCrLf()
    {
        ScriptEditor editor;
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QTest::keyClicks(&editor, QStringLiteral("ab"));
        QTest::keyClick(&editor, Qt::Key_Return);
        QTest::keyClicks(&editor, QStringLiteral("c"));
        QTest::keyClick(&editor, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClick(&editor, Qt::Key_Enter, Qt::KeypadModifier);
        QApplication::clipboard()->setText(QStringLiteral("1\n2\r3\r\n4\u00a0"));
        editor.paste();
        QCOMPARE(editor.wholeText(), QStringLiteral("ab\r\nc\r\n\r\n1\r\n2\r\n3\r\n4\u00a0"));
        QCOMPARE(inPieces(editor), editor.wholeText());
    }
};

QTEST_MAIN(ScriptEditorTest)
#include "tst_scripteditor.moc"
