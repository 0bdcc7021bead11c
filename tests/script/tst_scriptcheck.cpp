#include "script/ScriptCheck.h"

#include <QTest>
#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

using namespace vantrel;

namespace {

std::u16string_view view(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())};
}

// Each problem as "LINE:COLUMN severity: message", one a line.
QString listed(const std::vector<ScriptProblem>& problems)
{
    QStringList lines;
    for (const ScriptProblem& p : problems)
        lines << QStringLiteral("%1:%2 %3: %4")
                     .arg(p.line)
                     .arg(p.column)
                     .arg(QLatin1String(SeverityWord(p.severity)), p.message.c_str());
    return lines.join(u'\n');
}

const QString Extra = QStringLiteral("note: this ')' may be the extra one: the lines after it "
                                     "are indented as if the form went on");
const QString Missing = QStringLiteral("note: a ')' may be missing after this: the next line is "
                                       "indented as if the form were closed");

// A fixed sequence: every run writes the same scripts.
struct Dice : std::minstd_rand
{
    using std::minstd_rand::minstd_rand;
    int roll(int sides) { return int((*this)() % unsigned(sides)); }
    template <class List> auto pick(const List& list) { return list[roll(int(list.size()))]; }
};

// One line of a script as written: its depth, its code and a comment after it or alone.
struct Line
{
    int depth = 0;
    std::string code;
    std::string comment;
    bool inScript = false;
};

// Scripts shaped like those people write by hand: each indented with tabs, four spaces or
// two, and now and then a line a space out of step; forms nested in begin, if, cond and
// sleep_until, a closing parenthesis mostly at the end of a form's last line and now and
// then on a line of its own, arguments and tests that go on to the next line, comments
// between forms and after code, a form put aside in a block comment.
class ScriptWriter
{
public:
    explicit ScriptWriter(std::uint64_t seed) : m_dice(seed) {}

    std::vector<Line> file()
    {
        std::vector<Line> lines;
        m_lines = &lines;
        line(0, {}, "level scripts, see the notes");
        for (int n = 4 + m_dice.roll(4); n > 0; --n) {
            if (m_dice.roll(4) == 0)
                line(0, "(global short wave_" + std::to_string(n) + " 0)");
            if (m_dice.roll(5) == 0)
                putAside();
            script(n);
            line(0, {});
        }
        return lines;
    }

    // The text as a file holds it, a line for each line.
    std::string render(const std::vector<Line>& lines)
    {
        static constexpr std::array<const char*, 3> Indents{"\t", "    ", "  "};
        std::string text, indent = Indents[0];
        for (const Line& l : lines) {
            if (l.depth == 0 && l.code.starts_with("(script"))
                indent = m_dice.pick(Indents); // each script as its writer indented it
            for (int d = 0; d < l.depth; ++d)
                text += indent;
            if (l.depth > 0 && m_dice.roll(40) == 0)
                text += ' '; // a line a little out of step, as hand-written ones are
            text += l.code;
            if (!l.comment.empty())
                text += (l.code.empty() ? "; " : " ; ") + l.comment;
            text += m_dice.roll(8) == 0 ? "\r\n" : "\n";
        }
        return text;
    }

private:
    void line(int depth, std::string code, std::string comment = {})
    {
        m_lines->push_back({depth, std::move(code), std::move(comment), m_inScript});
    }

    void closeLast()
    {
        for (auto l = m_lines->rbegin(); l != m_lines->rend(); ++l)
            if (!l->code.empty()) {
                l->code += ')';
                return;
            }
    }

    std::string call(int nested = 1)
    {
        static constexpr std::array<const char*, 9> Calls{
            "object_teleport", "ai_place",      "unit",  "volume_test_object",
            "list_get",        "object_create", "sleep", "device_set_position",
            "ai_living_count"};
        static constexpr std::array<const char*, 7> Words{
            "(player0)", "flag_exit_north", "enc_3/squad_left", "true", "hog_2", "15", "-0.5"};
        std::string text = std::string("(") + m_dice.pick(Calls);
        for (int n = 1 + m_dice.roll(3); n > 0; --n)
            text += ' ' + (nested > 0 && m_dice.roll(5) == 0 ? call(nested - 1)
                                                             : std::string(m_dice.pick(Words)));
        return text + ')';
    }

    void script(int number)
    {
        static constexpr std::array<const char*, 4> Kinds{"continuous", "dormant", "startup",
                                                          "static void"};
        line(0, std::string("(script ") + m_dice.pick(Kinds) + " area_" + std::to_string(number));
        m_inScript = true;
        for (int n = 2 + m_dice.roll(4); n > 0; --n)
            form(1, 3 + m_dice.roll(4));
        close(0);
        m_inScript = false;
    }

    // A closing parenthesis for a form opened at `depth`: mostly at the end of its last
    // line, sometimes on a line of its own under the form's first.
    void close(int depth)
    {
        if (m_dice.roll(4) == 0)
            line(depth, ")");
        else
            closeLast();
    }

    void form(int depth, int deepest)
    {
        if (m_dice.roll(8) == 0)
            line(depth, {}, "wait for the player");
        const int kind = depth + 1 >= deepest ? 0 : m_dice.roll(6);
        if (kind == 0) {
            const std::string c = call();
            if (m_dice.roll(12) == 0) { // the arguments go on to the next line
                line(depth, c.substr(0, c.find(' ')));
                line(depth + 1, c.substr(c.find(' ') + 1));
            } else {
                line(depth, c, m_dice.roll(10) == 0 ? "half a second" : "");
            }
            return;
        }
        if (kind == 1) { // cond: clauses of a test and the forms it guards
            line(depth, "(cond");
            for (int n = 1 + m_dice.roll(3); n > 0; --n) {
                line(depth + 1, "(" + call());
                for (int f = 1 + m_dice.roll(2); f > 0; --f)
                    form(depth + 2, deepest);
                closeLast();
            }
            close(depth);
            return;
        }
        static constexpr std::array<const char*, 4> Openers{"begin", "if", "sleep_until", "begin"};
        const std::string opener = Openers[kind - 2];
        if (opener == "begin" && m_dice.roll(6) == 0) { // short enough for one line
            line(depth, "(begin " + call(0) + ' ' + call(0) + ')');
            return;
        }
        if (opener == "if" && m_dice.roll(3) == 0) { // a test over two lines, two steps in
            line(depth, "(if (" + std::string(m_dice.roll(2) ? "and " : "or ") + call());
            line(depth + 2, call() + ')');
        } else {
            line(depth, "(" + opener + (opener != "begin" ? " " + call() : ""));
        }
        for (int n = 1 + m_dice.roll(3); n > 0; --n)
            form(depth + 1, deepest);
        close(depth);
    }

    void putAside()
    {
        line(0, ";* put aside");
        form(1, 4);
        line(0, "*;");
    }

    Dice m_dice;
    std::vector<Line>* m_lines = nullptr;
    bool m_inScript = false;
};

// How often the problem shown first lies on the line where one ')' was added at the end of
// the code, or taken from the end of a line that has more, in `count` generated files.
double plantedLineShownFirst(bool extraCloser, int count)
{
    int found = 0;
    for (int n = 0; n < count; ++n) {
        ScriptWriter writer(std::uint64_t(n) * 7919 + extraCloser);
        std::vector<Line> lines = writer.file();
        std::vector<std::size_t> candidates;
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].inScript &&
                (extraCloser ? !lines[i].code.empty()
                             : lines[i].code.ends_with(')') && lines[i].code != ")"))
                candidates.push_back(i);
        Dice dice(std::uint64_t(n) + 1);
        Line& planted = lines[candidates[dice.roll(int(candidates.size()))]];
        if (extraCloser)
            planted.code += ')';
        else
            planted.code.pop_back();
        const std::string text = writer.render(lines);
        const std::vector<ScriptProblem> problems = CheckScript(view(QString::fromLatin1(text)));
        if (problems.empty())
            qFatal("a planted mistake went unreported:\n%s", text.c_str());
        const std::size_t line = std::size_t(&planted - lines.data()) + 1;
        found += problems[FirstToShow(problems)].line == line;
    }
    return double(found) / count;
}

} // namespace

class ScriptCheckTest : public QObject
{
    Q_OBJECT

private slots:
    void notesSayWhereTheMistakeWasMade_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problems");
        QTest::addColumn<int>("shownFirst");

        QTest::newRow("balanced, oddly indented: nothing")
            << "(script startup a\n(begin\n    (x))\n\t\t(y))"
            << "" << 0;
        QTest::newRow("extra: the lines after it are still indented")
            << "(script continuous a\n"
               "\t(if (b)\n"
               "\t\t(begin\n"
               "\t\t\t(x))\n" // closes the begin: the if's ')' closes the script
               "\t\t\t(y)))\n"
               "\t(z))"
            << "6:5 error: ')' closes nothing\n4:7 " + Extra << 1;
        QTest::newRow("extra, comment lines at any indentation are passed over")
            << "(script dormant a\n"
               "\t(sleep 5))\n"
               "; the door\n"
               "\t(z))"
            << "4:5 error: ')' closes nothing\n2:11 " + Extra << 1;
        QTest::newRow("extra on the script's last line: the error is there already")
            << "(script static void a\n\t(x)))\n(script static void b)"
            << "2:6 error: ')' closes nothing" << 0;
        QTest::newRow("extra, then a new top-level form: a ')' before it is not the one")
            << "(script startup a\n\t(begin (x))\n\t\t(y))\n(script startup b\n\t(z)))"
            << "5:6 error: ')' closes nothing" << 0;
        QTest::newRow("missing: the indentation comes out of a form left open")
            << "(script continuous a\n"
               "\t(if (b)\n"
               "\t\t(begin\n"
               "\t\t\t(x)\n"
               "\t\t\t(y))\n" // the if stays open
               "\t(z))"
            << "1:1 error: '(' is never closed\n5:7 " + Missing << 1;
        QTest::newRow("missing after the opening line's first form")
            << "(script continuous a\n    (if (volume_test_object trig (player0)\n        (x)))"
            << "1:1 error: '(' is never closed\n2:42 " + Missing << 1;
        QTest::newRow("missing in each of two scripts: a note each")
            << "(script startup a\n\t(begin\n\t\t(x)\n\t(y))\n"
               "(script startup b\n\t(if (c)\n\t\t(z)\n\t(w))"
            << "1:1 error: '(' is never closed\n3:5 " + Missing +
                   "\n5:1 error: '(' is never closed\n7:5 " + Missing
            << 1;
        QTest::newRow("missing on the opener's own line: the error says it all")
            << "(script startup a (x\n)"
            << "1:1 error: '(' is never closed" << 0;
        QTest::newRow("a string never closed gets no note")
            << "(script startup a\n\t(print \"x)\n\t(y))"
            << "1:1 error: '(' is never closed\n2:2 error: '(' is never closed\n"
               "2:9 error: string is never closed"
            << 0;
        QTest::newRow("lines in a block comment are passed over")
            << "(script continuous a\n\t(begin\n\t\t(x)))\n;*\n\t(y)\n*;\n\t(z))"
            << "7:5 error: ')' closes nothing\n3:7 " + Extra << 1;
    }

    void notesSayWhereTheMistakeWasMade()
    {
        QFETCH(QString, text);
        const std::vector<ScriptProblem> problems = CheckScript(view(text));
        QTEST(listed(problems), "problems");
        QTEST(int(FirstToShow(problems)), "shownFirst");
        // The editor checks a line at a time, its line end apart: the notes come out the same.
        ScriptChecker inPieces;
        const QStringList lines = text.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            inPieces.add(view(lines[i]));
            if (i + 1 < lines.size())
                inPieces.add(u"\n");
        }
        QCOMPARE(listed(inPieces.finish()), listed(problems));
    }

    void plantedMistakeShownFirst_data()
    {
        QTest::addColumn<bool>("extraCloser");
        QTest::newRow("a ')' too many") << true;
        QTest::newRow("a ')' too few") << false;
    }

    void plantedMistakeShownFirst()
    {
        QFETCH(bool, extraCloser);
        const double rate = plantedLineShownFirst(extraCloser, 200);
        qInfo("shown on the planted line: %.1f%%", rate * 100);
        QVERIFY2(rate >= 0.85, qPrintable(QString::number(rate)));
    }
};

QTEST_APPLESS_MAIN(ScriptCheckTest)
#include "tst_scriptcheck.moc"
