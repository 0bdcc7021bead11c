#include "script/ScriptCheck.h"
#include "script/ScriptComposer.h"
#include "script/ScriptLexer.h"
#include "script/ScriptWords.h"

#include <QTest>

using namespace vantrel;

namespace {

std::u16string_view view(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())};
}

// Each token as a letter for its kind (for a word, its kind of word) and its text, joined
// by '|': a row reads at a glance.
QString lexed(const QString& text, LexState& state)
{
    QStringList parts;
    for (const Token& t : LexLine(view(text), state)) {
        const QString part = text.mid(qsizetype(t.offset), qsizetype(t.length));
        const QChar kind = t.kind == TokenKind::Word ? u"wfkxt"[int(ClassifyWord(view(part)))]
                                                     : u"_e()scbn"[int(t.kind)];
        parts << kind + part;
    }
    return parts.join('|');
}

QString checked(const QString& text)
{
    QStringList parts;
    for (const ScriptProblem& p : CheckScript(view(text)))
        parts << QString("%1:%2 %3").arg(p.line).arg(p.column).arg(p.message.c_str());
    return parts.join("; ");
}

} // namespace

class ScriptLexerTest : public QObject
{
    Q_OBJECT

private slots:
    void lexesLinesFromTheirStartState_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("tokens");
        QTest::addColumn<int>("end");
        const int code = 0, string = 1, block = 2;
        QTest::newRow("form") << "(script continuous \"Tele\"" << code
                              << "((|fscript|_ |kcontinuous|_ |s\"Tele\"" << code;
        QTest::newRow("words") << "(object_teleport true Script iff" << code
                               << "((|xobject_teleport|_ |ttrue|_ |wScript|_ |wiff" << code;
        QTest::newRow("numbers") << "(sleep -0.5 12 .5 1.2.3 - 4x)" << code
                                 << "((|fsleep|_ |n-0.5|_ |n12|_ |n.5|_ |w1.2.3|_ |w-|_ |w4x|))"
                                 << code;
        QTest::newRow("text in a string")
            << "\"a (;* b\"x\t(" << code << "s\"a (;* b\"|wx|_\t|((" << code;
        QTest::newRow("comment to the line end")
            << ";c (\"*;\r\n)" << code << "c;c (\"*;|e\r\n|))" << code;
        QTest::newRow("block over lines")
            << ";* a\n \" *; b" << code << "b;* a\n \" *;|_ |wb" << code;
        QTest::newRow("closer after the opener") << ";*;" << code << "b;*;" << block;
        QTest::newRow("string left open") << "(\"open" << code << "((|s\"open" << string;
        QTest::newRow("string goes on") << "rest\" (" << string << "srest\"|_ |((" << code;
        QTest::newRow("block goes on") << "x *;)" << block << "bx *;|))" << code;
        QTest::newRow("block runs on") << "x * ;" << block << "bx * ;" << block;
        QTest::newRow("every line end") << u"a\rb\r\nc\nd\u2028e\u2029f\u240D;g\u2028"_qs << code
                                        << u"wa|e\r|wb|e\r\n|wc|e\n|wd|e\u2028|we|e\u2029|wf|"
                                           u"e\u240D|c;g|e\u2028"_qs
                                        << code;
    }

    void lexesLinesFromTheirStartState()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, end);
        LexState state = LexState(start);
        QTEST(lexed(text, state), "tokens");
        QCOMPARE(int(state), end);
        QCOMPARE(int(ScanState(view(text), LexState(start))), end);
    }

    void checkFindsEachProblemWhereItIs()
    {
        ScriptFields two;
        two.twoVehicles = true;
        two.vehicleName = "a(b;*";
        const std::pair<QString, QString> rows[] = {
            {"", ""},
            {"(a))(", "1:4 ')' closes nothing; 1:5 '(' is never closed"},
            {"(a (b)", "1:1 '(' is never closed"},
            {"( \")\" ; )\n;* ) *; )", ""},
            {u"a\r\nb\rc\nd\u2028e\u2029f\u240D )"_qs, "7:2 ')' closes nothing"},
            {"a\r\n )", "2:2 ')' closes nothing"},
            {u"\U0001F600\u00E9)"_qs, "1:3 ')' closes nothing"}, // characters, not code units
            {"(\"x\n)", "1:1 '(' is never closed; 1:2 string is never closed"},
            {")\n ;* )", "1:1 ')' closes nothing; 2:2 block comment is never closed"},
            {QString::fromStdString(ComposeScript({})), ""},
            {QString::fromStdString(ComposeScript(two)), ""}};
        for (const auto& [text, problems] : rows)
            QCOMPARE(checked(text), problems);
    }
};

QTEST_APPLESS_MAIN(ScriptLexerTest)
#include "tst_scriptlexer.moc"
