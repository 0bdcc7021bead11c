#include "RealisticScripts.h"
#include "script/ScriptComposer.h"
#include "script/ScriptDeclarations.h"

#include <QTest>

using namespace vantrel;

namespace {

std::u16string_view view(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())};
}

QString described(const std::vector<ScriptProblem>& problems)
{
    QStringList parts;
    for (const ScriptProblem& p : problems)
        parts << QStringLiteral("%1:%2 %3: %4")
                     .arg(p.line)
                     .arg(p.column)
                     .arg(QLatin1String(SeverityWord(p.severity)),
                          QString::fromStdString(p.message));
    return parts.join(QStringLiteral("; "));
}

// The text read in one piece, and again a line at a time as the editor's idle check hands
// it over: both must find the same.
QString readBothWays(const QString& text)
{
    const QString whole = described(ReadScript(view(text)).problems);
    ScriptReader reader;
    qsizetype from = 0;
    for (qsizetype at = 0; at < text.size(); ++at)
        if (text[at] == u'\n') {
            reader.add(view(text.mid(from, at - from)));
            reader.add(view(text.mid(at, 1)));
            from = at + 1;
        }
    reader.add(view(text.mid(from)));
    const QString pieces = described(reader.finish().problems);
    if (pieces != whole)
        return QStringLiteral("in pieces: ") + pieces + QStringLiteral(" whole: ") + whole;
    return whole;
}

void addRows(std::initializer_list<std::tuple<const char*, QString, QString>> rows)
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problems");
    for (const auto& [name, text, problems] : rows)
        QTest::newRow(name) << text << problems;
}

} // namespace

// One table per rule: the broken example first, then its correct neighbours, silent.
class ScriptDeclarationsTest : public QObject
{
    Q_OBJECT

    void readRow()
    {
        QFETCH(QString, text);
        QTEST(readBothWays(text), "problems");
    }

private slots:
    void scriptType_data()
    {
        addRows({
            {"misspelt", "(script continous a (b))", "1:9 error: unknown script type 'continous'"},
            {"a form in its place", "(script (a) (b))", "1:9 error: script has no type"},
            {"nothing after script", "(script)", "1:2 error: script has no type and no name"},
            {"every type",
             "(script startup a (b))(script dormant b (b))(script continuous c (b))\n"
             "(script static d (b))(script stub e (b))(script command_script f (b))",
             ""},
            {"in capitals", "(SCRIPT Continuous a (b))", ""},
            {"nested, not a declaration", "(if (script continous)\n)", ""},
        });
    }
    void scriptType() { readRow(); }

    void scriptName_data()
    {
        addRows({
            {"missing", "(script dormant)", "1:9 error: script has no name"},
            {"body in its place", "(script startup (begin (a)))", "1:17 error: script has no name"},
            {"named begin", "(script dormant begin (a))",
             "1:17 error: script cannot be named 'begin'"},
            {"a number", "(script startup 12 (b))", "1:17 error: script name must be a word"},
            {"quoted, as Compile writes it", "(script continuous \"a\" (b))(script dormant a (b))",
             "1:44 error: script 'a' is already declared on line 1"},
            {"begins with begin", "(script dormant beginning (a))", ""},
            {"no body", "(script stub unlisted_name)", ""},
            {"name of a call", "(script startup (ai_place (a b)))", ""},
        });
    }
    void scriptName() { readRow(); }

    // Return types and the later games' parameter lists; a duplicate shows which name was
    // read.
    void returnTypesAndParameters_data()
    {
        addRows({
            {"return type", "(script static void f (a))(script static f (a 1))",
             "1:42 error: script 'f' is already declared on line 1"},
            {"parameters",
             "(script static void (f (ai a) (short n)) (a))\n(global short f 1)\n"
             "(script dormant f (a))",
             "3:17 error: script 'f' is already declared on line 1"},
            {"no parameters", "(script static boolean (f) (a))(script static void f (a))",
             "1:52 error: script 'f' is already declared on line 1"},
            {"no return type", "(script static f (begin (wake g)))(script static g 1)", ""},
            {"unlisted return type with parameters",
             "(script static ai_squad (f (ai a)) (a))(script static ai_squad (f (ai a)) (a))", ""},
            {"stub returning", "(script stub object_list f (a))(script static object_list f (b))",
             ""},
        });
    }
    void returnTypesAndParameters() { readRow(); }

    void globals_data()
    {
        addRows({
            {"no value", "(global short a)", "1:2 error: global 'a' has no value"},
            {"no name", "(global short)", "1:2 error: global needs a type, a name and a value"},
            {"two values", "(global short a 1 2)",
             "1:19 error: global 'a' has more than one value"},
            {"a number", "(global short a -1)", ""},
            {"a form", "(global object_list a (players))", ""},
            {"comments inside", "(global ;* x *; short a\n; y\n 1)", ""},
        });
    }
    void globals() { readRow(); }

    void duplicates_data()
    {
        addRows({
            {"script twice", "(script dormant a (b))\n(script startup A (b))",
             "2:17 error: script 'A' is already declared on line 1"},
            {"global twice", "(global short a 1)\n\n(global real A 2)",
             "3:14 error: global 'A' is already declared on line 1"},
            {"static twice", "(script static void a (b))(script static void a (b))",
             "1:47 error: script 'a' is already declared on line 1"},
            {"stub, static, static",
             "(script stub void a (b))\n(script static void a (b))\n(script static void a (b))",
             "3:21 error: script 'a' is already declared on line 2"},
            {"stub replaced by a static", "(script stub void a (b))(script static void A (b))", ""},
            {"a script and a global", "(global short a 1)(script dormant a (b))", ""},
            {"one in a block comment", "(script dormant a (b))\n;*(script dormant a (b))*;", ""},
        });
    }
    void duplicates() { readRow(); }

    void emptyForm_data()
    {
        addRows({
            {"at the top", "()", "1:1 warning: empty form '()'"},
            {"inside", "(script dormant a ( ;x\n))", "1:19 warning: empty form '()'"},
            {"a form", "(script dormant a (b))", ""},
            {"in a string or comment", "(script dormant a \"()\") ; ()\n;* () *;", ""},
        });
    }
    void emptyForm() { readRow(); }

    void outsideEveryForm_data()
    {
        addRows({
            {"a word", "(a)\nstray words here\n(b) 1",
             "2:1 warning: 'stray' is outside every form; 3:5 warning: '1' is outside every form"},
            {"a string", "\"a\"(b)", "1:1 warning: string outside every form"},
            {"comments", "; a\n;* b *;\n(a) ; c\n", ""},
            {"byte order mark", u"\uFEFF(a)"_qs, ""},
            {"byte order mark read as Windows-1252", u"\u00EF\u00BB\u00BF(a)"_qs, ""},
            // After a ')' that closes nothing, what is at the top is anyone's guess.
            {"after a stray ')'", "(a))\n b", "1:4 error: ')' closes nothing"},
        });
    }
    void outsideEveryForm() { readRow(); }

    void otherDialect_data()
    {
        const char* note =
            "note: file is in the C-like dialect, not the parenthesised language: not checked";
        addRows({
            {"braces", "script startup a()\n{\n\tsleep(3);\n}", QString("2:1 ") + note},
            {"slash comment", "// level script\n(script dormant a (b))", QString("1:1 ") + note},
            {"braces in a string", "(script dormant a (print \"{}\"))", ""},
        });
    }
    void otherDialect() { readRow(); }

    // The structure check's problems and the rules' come in text order, with their places.
    void problemsInTextOrder()
    {
        QCOMPARE(readBothWays(u"(script dormant a (b))\r\n\U0001F600 (global x)\r\n(a"_qs),
                 QStringLiteral("2:1 warning: '\U0001F600' is outside every form; "
                                "2:4 error: global needs a type, a name and a value; "
                                "3:1 error: '(' is never closed"));
    }

    // Several hundred scripts shaped like working ones: not a single problem, and every
    // declaration read.
    void silentOnRealisticScripts_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<bool>("mixed");
        for (int seed = 1; seed <= 6; ++seed)
            QTest::addRow("file %d", seed) << seed << (seed % 3 == 0);
    }
    void silentOnRealisticScripts()
    {
        QFETCH(int, seed);
        QFETCH(bool, mixed);
        const RealisticScripts::File file = RealisticScripts::write(seed, 120, mixed);
        const QString text = QString::fromStdU16String(file.text);
        QCOMPARE(readBothWays(text), QString());
        QCOMPARE(int(ReadScript(file.text).declarations.size()), file.declarations);
        QVERIFY(file.declarations > 90);
    }

    // A level's thousands of names, their texts far past one block of storage: each found
    // whatever its case, at its own line, after the reading has been handed on; a repeat
    // found among them as well.
    void thousandsOfNamesAreFoundWhateverTheCase()
    {
        QString text;
        const auto nameOf = [](int n) {
            return QStringLiteral("gate_teleport_for_the_north_section_%1").arg(n);
        };
        for (int n = 0; n < 3000; ++n)
            text += QStringLiteral("(script dormant %1 (sleep 1))\n").arg(nameOf(n));
        text += QStringLiteral("(global short %1 0)\n").arg(nameOf(7).toUpper());
        text += QStringLiteral("(script startup %1 (sleep 1))\n").arg(nameOf(2999).toUpper());
        ScriptReading reading = ReadScript(view(text));
        const Declarations declarations = std::move(reading.declarations);
        QCOMPARE(declarations.size(), 3002u);
        for (int n = 0; n < 3000; n += 7) {
            const QString upper = nameOf(n).toUpper();
            const Declaration* found = declarations.find(Declaration::Kind::Script, view(upper));
            QVERIFY2(found && QString::fromStdU16String(std::u16string(found->name)) == nameOf(n),
                     qPrintable(upper));
            QCOMPARE(found->place.line, std::size_t(n + 1));
            QCOMPARE(declarations.find(Declaration::Kind::Global, view(upper)) != nullptr, n == 7);
        }
        QVERIFY(!declarations.declares(u"gate_teleport"));
        QCOMPARE(described(reading.problems),
                 QStringLiteral("3002:17 error: script '%1' is already declared on line 3000")
                     .arg(nameOf(2999).toUpper()));
    }

    void silentOnComposedScripts()
    {
        ScriptFields two;
        two.twoVehicles = true;
        for (const ScriptFields& fields : {ScriptFields{}, two})
            QCOMPARE(readBothWays(QString::fromStdString(ComposeScript(fields))), QString());
    }
};

QTEST_APPLESS_MAIN(ScriptDeclarationsTest)
#include "tst_scriptdeclarations.moc"
