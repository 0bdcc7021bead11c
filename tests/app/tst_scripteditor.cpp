#include "EditorText.h"
#include "ScriptEditor.h"

#include <QApplication>
#include <QClipboard>
#include <QRandomGenerator>
#include <QTest>

using namespace vantrel;

namespace {

// A text as a script file can hold it: every character one of the 256 codes of the
// file's 8-bit set (here Latin-1 for simplicity), with runs of CR and LF mixed in.
QString randomFileText(QRandomGenerator& random, int length)
{
    QString text;
    for (int i = 0; i < length; ++i) {
        switch (random.bounded(6)) {
        case 0:
            text += QString(random.bounded(1, 4), QChar(u'\r'));
            break;
        case 1:
            text += QString(random.bounded(1, 4), QChar(u'\n'));
            break;
        default:
            text += QChar(char16_t(random.bounded(256)));
        }
    }
    return text;
}

} // namespace

class ScriptEditorTest : public QObject
{
    Q_OBJECT

private slots:
    void mappingKeepsLineEndsApart()
    {
        const QString text = QStringLiteral("a\r\nb\nc\rd\r\r\n\n\re");
        const QString mapped = toEditorText(text);
        QCOMPARE(mapped, QStringLiteral("a\u2029b\u2028c\u240Dd\u240D\u2029\u2028\u240De"));
        QCOMPARE(fromEditorText(mapped), text);
        QCOMPARE(mapped, QStringLiteral("a\u2029b\u2028c\u240Dd\u240D\u2029\u2028\u240De"));
        QCOMPARE(toEditorText(QString(QChar(u'\0'))), QStringLiteral("\u2400"));
        QCOMPARE(fromEditorText(QStringLiteral("\u2029\u2400\u2029")),
                 QStringLiteral("\r\n\0\r\n"));
    }

    void wholeTextRoundTripsThroughTheRealWidget()
    {
        ScriptEditor editor;
        editor.show();
        QRandomGenerator random(1234);
        QStringList samples = {QString(),
                               QStringLiteral("\r\n"),
                               QStringLiteral("\r"),
                               QStringLiteral("\n"),
                               QStringLiteral("\n\r"),
                               QStringLiteral("x\u00a0y\u00a0"),
                               QStringLiteral("\r\n\r\n")};
        QString everyCode;
        for (int code = 0; code < 256; ++code)
            everyCode += QChar(char16_t(code));
        samples << everyCode;
        for (int i = 0; i < 200; ++i)
            samples << randomFileText(random, random.bounded(1, 300));
        for (const QString& text : samples) {
            editor.setWholeText(text);
            QCOMPARE(editor.wholeText(), text);
        }
    }

    void replacingCanBeUndone()
    {
        ScriptEditor editor;
        editor.setWholeText(QStringLiteral("hand edits\r\n"));
        editor.setWholeText(QStringLiteral("compiled"));
        QCOMPARE(editor.wholeText(), QStringLiteral("compiled"));
        editor.undo();
        QCOMPARE(editor.wholeText(), QStringLiteral("hand edits\r\n"));
    }

    void replacingAnEmptyEditorIsOneUndoStep()
    {
        ScriptEditor editor;
        editor.setWholeText(QStringLiteral("compiled"));
        QCOMPARE(editor.wholeText(), QStringLiteral("compiled"));
        editor.undo();
        QCOMPARE(editor.wholeText(), QString());
        QVERIFY(!editor.document()->isUndoAvailable());
        editor.redo();
        QCOMPARE(editor.wholeText(), QStringLiteral("compiled"));
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

    void enterAndShiftEnterInsertCrLf()
    {
        ScriptEditor editor;
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QTest::keyClicks(&editor, QStringLiteral("ab"));
        QTest::keyClick(&editor, Qt::Key_Return);
        QTest::keyClicks(&editor, QStringLiteral("c"));
        QTest::keyClick(&editor, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClick(&editor, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClicks(&editor, QStringLiteral("d"));
        QCOMPARE(editor.wholeText(), QStringLiteral("ab\r\nc\r\n\r\nd"));
    }

    void pastedLineEndsBecomeCrLf()
    {
        ScriptEditor editor;
        editor.show();
        QApplication::clipboard()->setText(QStringLiteral("1\n2\r3\r\n4\u00a0"));
        editor.paste();
        QCOMPARE(editor.wholeText(), QStringLiteral("1\r\n2\r\n3\r\n4\u00a0"));
    }
};

QTEST_MAIN(ScriptEditorTest)
#include "tst_scripteditor.moc"
