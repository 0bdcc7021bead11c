#include "script/CallContext.h"
#include "script/FunctionList.h"
#include "script/ScriptCheck.h"

#include <QFile>
#include <QTest>

using namespace vantrel;

namespace {

std::u16string_view view(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())};
}

QString qs(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QByteArray dataFile(const char* name)
{
    QFile file(QStringLiteral(VANTREL_TEST_DATA "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", name);
    return file.readAll();
}

const FunctionList& handWritten()
{
    static const FunctionList list = FunctionList::Read(dataFile("functions.txt").toStdString());
    return list;
}

// "min..max" with "*" for no limit.
QString counts(const FunctionList::Entry* entry)
{
    if (!entry)
        return QStringLiteral("not listed");
    const ArgumentRange r = entry->arguments;
    return QString::number(r.min) + ".." +
           (r.max == ArgumentRange::NoLimit ? QStringLiteral("*") : QString::number(r.max));
}

QString problems(const QString& script, const FunctionList& list)
{
    QStringList parts;
    for (const ScriptProblem& p : CheckScript(view(script), &list))
        parts << QString("%1:%2 %3").arg(p.line).arg(p.column).arg(p.message.c_str());
    return parts.join("; ");
}

} // namespace

class TestFunctionList : public QObject
{
    Q_OBJECT

private slots:
    void readsTheHandWrittenList()
    {
        const FunctionList& list = handWritten();
        QCOMPARE(list.functions().size(), 51u); // ai_place twice
        QCOMPARE(list.malformedLines(), 4u);
    }

    void reads_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected"); // counts, then each parameter: text, o, r
        QTest::addColumn<int>("malformed");
        const QByteArray head = "; AVAILABLE FUNCTIONS:\r\n\r\n";
        QTest::newRow("optional") << head + "(<void> f <a> [<b>])"
                                  << "f"
                                  << "1..2 <a> <b>o" << 0;
        QTest::newRow("repeated") << head + "(<real> + <number(s)>)"
                                  << "+"
                                  << "1..* <number(s)>r" << 0;
        QTest::newRow("overloads merged")
            << head + "(<void> f <a>)\n(<void> f <a> <b> <c>)\n(<void> f)"
            << "f"
            << "0..3 <a>" << 0;
        QTest::newRow("LF, tabs, spaces")
            << QByteArray("; AVAILABLE FUNCTIONS:\n\t (<void>  f\t<a>  )  \n") << "f"
            << "1..1 <a>" << 0;
        QTest::newRow("unclosed") << head + "(<void> f <a>\r\n"
                                  << "f"
                                  << "not listed" << 1;
        QTest::newRow("text") << head + "junk\r\n(<void> f)"
                              << "f"
                              << "0..0" << 1;
        // Names and types are scanned a word at a time: stops inside, at and past a word's
        // end, and past the line's.
        QTest::newRow("long names and types")
            << head + "(<void> object_set_velocity_of <object_definition> [<unit_seat>] "
                      "<real(s)>)"
            << "object_set_velocity_of"
            << "2..* <object_definition> <unit_seat>o <real(s)>r" << 0;
        QTest::newRow("a tab ends a name at the end of the text")
            << head + "(<void> abcdefghijklmnop\t<a>)"
            << "abcdefghijklmnop"
            << "1..1 <a>" << 0;
        QTest::newRow("a space past the line is not the name's end")
            << head + "(<void> abcdefghijkl)\r\n(<x> y)"
            << "abcdefghijkl"
            << "0..0" << 0;
        QTest::newRow("a '<' inside a type") << head + "(<void> f <abcdefghij<k>)"
                                             << "f"
                                             << "not listed" << 1;
        QTest::newRow("a '[' inside a type") << head + "(<void> f <abcdefgh[ij>)"
                                             << "f"
                                             << "not listed" << 1;
        QTest::newRow("empty") << QByteArray() << "f"
                               << "not listed" << 0;
    }

    void reads()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, name);
        const FunctionList list = FunctionList::Read(text.toStdString());
        const FunctionList::Entry* entry = list.find(view(name));
        QStringList got{counts(entry)};
        if (entry) {
            const FunctionSignature& s = list.functions()[entry->overloads[0]];
            for (const FunctionParameter& p : FunctionList::parametersOf(s))
                got << qs(p.text) + (p.optional ? "o" : "") + (p.repeated ? "r" : "");
        }
        QTEST(got.join(' '), "expected");
        QTEST(int(list.malformedLines()), "malformed");
    }

    void checksCalls_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QTest::newRow("too few") << "(object_teleport (player0))"
                                 << "1:1 object_teleport takes 2 arguments, found 1";
        QTest::newRow("too many") << "\r\n  (object_teleport a b c)"
                                  << "2:3 object_teleport takes 2 arguments, found 3";
        QTest::newRow("overloads") << "(ai_place a)(ai_place a 2)(ai_place a 2 3)"
                                   << "1:27 ai_place takes 1 to 2 arguments, found 3";
        QTest::newRow("repeated") << "(+ 1 2 3 4 5 6 7)(+)"
                                  << "1:18 + takes at least 1 argument, found 0";
        QTest::newRow("optional") << "(object_set_velocity o 1)(object_set_velocity o 1 2 3)"
                                     "(object_set_velocity o 1 2 3 4)"
                                  << "1:55 object_set_velocity takes 2 to 4 arguments, found 5";
        QTest::newRow("sleep_until with 3") << "(sleep_until (volume_test_players t) 5 900)"
                                            << "";
        QTest::newRow("own forms") << "(begin)(if a b c d)(set a b c)(and)(or)(sleep 1 2 3)"
                                      "(wake a b)(not a b)(script static void f)(global short g 1)"
                                   << "";
        QTest::newRow("unknown") << "(some_other_script 1 2 3 4)(player0)(obj_name)"
                                 << "";
    }

    void checksCalls()
    {
        QFETCH(QString, script);
        QTEST(problems(script, handWritten()), "expected");
    }

    // Working scripts written like real ones: no false problem with the list.
    void realisticScriptsHaveNoProblems_data()
    {
        QTest::addColumn<QString>("file");
        for (const char* file :
             {"bridge_crossing.hsc", "lighthouse.hsc", "dam_crlf.hsc", "cstyle.hsc"})
            QTest::newRow(file) << file;
    }

    void realisticScriptsHaveNoProblems()
    {
        QFETCH(QString, file);
        const QString script = QString::fromLatin1(dataFile(file.toLatin1().constData()));
        QCOMPARE(problems(script, handWritten()), QString());
    }

    void findsTheCallAroundTheEnd_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // name and argument, or "none"
        QTest::newRow("after the name") << "(object_teleport "
                                        << "object_teleport 0";
        QTest::newRow("inner call") << "(if (volume_test_object t "
                                    << "volume_test_object 1";
        QTest::newRow("over lines") << "(ai_place\r\n\tsquad ; note\r\n\t"
                                    << "ai_place 1";
        QTest::newRow("in a comment") << "(print ; a"
                                      << "none";
    }

    void findsTheCallAroundTheEnd()
    {
        QFETCH(QString, text);
        const std::optional<CallContext> call = FindCallContext(view(text));
        QTEST(call ? text.mid(qsizetype(call->nameOffset), qsizetype(call->nameLength)) + ' ' +
                         QString::number(call->argument)
                   : QStringLiteral("none"),
              "expected");
    }
};

QTEST_APPLESS_MAIN(TestFunctionList)
#include "tst_functionlist.moc"
