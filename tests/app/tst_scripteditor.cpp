#include "EditorTextPieces.h"
#include "ScriptEditor.h"

#include <QApplication>
#include <QClipboard>
#include <QRandomGenerator>
#include <QTest>

using vantrel::ScriptEditor;

namespace {

// The text that Save takes from the editor, piece by piece.
QString inPieces(const ScriptEditor& editor)
{
    QString text;
    vantrel::EditorTextPieces(editor).forEachPiece([&text](std::u16string_view piece) {
        text += QStringView(piece.data(), qsizetype(piece.size()));
        return true;
    });
    return text;
}

// A text as a script file can hold it: every character one of the 256 codes of the
// file's 8-bit set (here Latin-1 for simplicity, so no-break spaces among them), with
// runs of CR and LF mixed in.
QString randomFileText(QRandomGenerator& random, int length)
{
    QString text;
    for (int i = 0; i < length; ++i) {
        const int pick = random.bounded(6);
        if (pick < 2)
            text += QString(random.bounded(1, 4), QChar(pick == 0 ? u'\r' : u'\n'));
        else
            text += QChar(char16_t(random.bounded(256)));
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
        for (int code = 0; code < 256; ++code)
            samples.last() += QChar(char16_t(code));
        QRandomGenerator random(1234);
        for (int i = 0; i < 200; ++i)
            samples << randomFileText(random, random.bounded(1, 300));
        for (const QString& text : samples) {
            editor.setWholeText(text);
            QCOMPARE(editor.wholeText(), text);
            QCOMPARE(inPieces(editor), text);
        }
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
