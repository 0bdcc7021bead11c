#include "ScriptCheck.h"
#include "ScriptComposer.h"
#include "ScriptLexer.h"
#include "ScriptNames.h"
#include "ScriptWords.h"

#include <QTest>

using namespace vantrel;

namespace {

std::u16string_view view(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())};
}

// Each token as a letter for its kind and its text, joined by '|': a row reads at a glance.
QString lexed(const QString& text, LexState& state)
{
    QStringList parts;
    for (const Token& t : LexLine(view(text), state))
        parts << QChar(u"_e()scbnw"[int(t.kind)]) +
                     text.mid(qsizetype(t.offset), qsizetype(t.length));
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
                              << "((|wscript|_ |wcontinuous|_ |s\"Tele\"" << code;
        QTest::newRow("numbers") << "(sleep -0.5 12 .5 1.2.3 - 4x)" << code
                                 << "((|wsleep|_ |n-0.5|_ |n12|_ |n.5|_ |w1.2.3|_ |w-|_ |w4x|))"
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

    void checkFindsEachProblemWhereItIs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problems");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("stray close") << "(a))("
                                     << "1:4 ')' closes nothing; 1:5 '(' is never closed";
        QTest::newRow("inner open") << "(a (b)"
                                    << "1:1 '(' is never closed";
        QTest::newRow("text in strings and comments") << "( \")\" ; )\n;* ) *; )"
                                                      << "";
        QTest::newRow("lines") << u"a\r\nb\rc\nd\u2028e\u2029f\u240D )"_qs
                               << "7:2 ')' closes nothing";
        QTest::newRow("after CR LF") << "a\r\n )"
                                     << "2:2 ')' closes nothing";
        QTest::newRow("characters, not code units")
            << u"\U0001F600\u00E9)"_qs << "1:3 ')' closes nothing";
        QTest::newRow("open string") << "(\"x\n)"
                                     << "1:1 '(' is never closed; 1:2 string is never closed";
        QTest::newRow("open block") << ")\n ;* )"
                                    << "1:1 ')' closes nothing; 2:2 block comment is never closed";
    }

    void checkFindsEachProblemWhereItIs()
    {
        QFETCH(QString, text);
        QTEST(checked(text), "problems");
    }

    void composedScriptsHaveNoProblem()
    {
        ScriptFields fields;
        for (bool two : {false, true}) {
            fields.twoVehicles = two;
            QCOMPARE(checked(QString::fromStdString(ComposeScript(fields))), QString());
            fields.vehicleName = "a(b;*";
            fields.triggerName = ")";
        }
    }

    void setsApartTheLanguageWords()
    {
        const std::pair<std::u16string_view, WordKind> rows[] = {
            {u"sleep_until", WordKind::FormOpener}, {u"stub", WordKind::ScriptKind},
            {u"object_teleport", WordKind::Call},   {u"false", WordKind::Truth},
            {u"Script", WordKind::Other},           {u"iff", WordKind::Other}};
        for (const auto& [word, kind] : rows)
            QCOMPARE(ClassifyWord(word), kind);
    }

    void namesThatWouldNotStandAsOneWord()
    {
        const std::pair<std::u16string_view, std::string> rows[] = {
            {u"a\tb", "The name holds a space."},
            {u"a(", "The name holds a parenthesis."},
            {u"a;b\"", "The name holds a semicolon."},
            {u"Warthog_\u00e9", ""}};
        for (const auto& [name, problem] : rows)
            QCOMPARE(QString::fromStdString(NameProblem(name)), QString::fromStdString(problem));
    }
};

QTEST_APPLESS_MAIN(ScriptLexerTest)
#include "tst_scriptlexer.moc"
