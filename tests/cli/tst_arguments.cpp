#include "cli/Arguments.h"
#include "cli/CommandWords.h"
#include "cli/Options.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using vantrel::Arguments;
using vantrel::Option;
using vantrel::OptionScope;
using Command = Arguments::Command;

namespace {

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// What a parse gave, in one list: the files; compose's options as NAME=VALUE; or the error.
QStringList outcome(const Arguments& arguments)
{
    QStringList values;
    for (auto option = arguments.options.begin(); option != arguments.options.end(); ++option)
        values << option.key() + u'=' + option.value();
    return arguments.command == Command::Error ? QStringList{arguments.error}
                                               : arguments.files + values;
}

// The spellings of an option on a command line: --name, and -x where it has one.
QStringList spellings(const Option& option)
{
    QStringList forms{QStringLiteral("--") + latin1(option.name)};
    if (option.letter)
        forms << QStringLiteral("-") + QLatin1Char(option.letter);
    return forms;
}

QStringList longNamesOf(const QString& text, const QString& dashes)
{
    QStringList names;
    static const QRegularExpression word(QStringLiteral("[a-z][a-z\\\\-]*"));
    for (qsizetype at = text.indexOf(dashes); at >= 0; at = text.indexOf(dashes, at + 1)) {
        const QRegularExpressionMatch match =
            word.match(text, at + dashes.size(), QRegularExpression::NormalMatch,
                       QRegularExpression::AnchorAtOffsetMatchOption);
        if (match.hasMatch())
            names << match.captured().remove(u'\\');
    }
    return names;
}

bool isOptionName(const QString& name)
{
    return std::ranges::any_of(vantrel::Options,
                               [&](const Option& option) { return name == latin1(option.name); });
}

} // namespace

class ArgumentsTest : public QObject
{
    Q_OBJECT

private slots:
    // Read as getopt reads them: a value is the next word whatever it looks like, and "--"
    // ends the options, for the commands and the window alike.
    void parse_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<int>("command");
        QTest::addColumn<QStringList>("expected");

        const auto row = [](const char* name, QStringList words, Command command,
                            QStringList expected = {}) {
            QTest::newRow(name) << words << int(command) << expected;
        };
        row("-h as the vehicle", {"compose", "--vehicle", "-h"}, Command::Compose, {"vehicle=-h"});
        row("-- as a value ends nothing", {"compose", "--vehicle", "--", "--flag", "-h"},
            Command::Compose, {"flag=-h", "vehicle=--"});
        row("-h after a value", {"compose", "--vehicle", "Jeep", "-h"}, Command::Help);
        row("-h after an unknown option", {"compose", "--vehicles", "-h"}, Command::Help);
        row("no value left", {"compose", "--trigger"}, Command::Error,
            {"option '--trigger' needs a value"});
        row("compose after --", {"compose", "--", "-h"}, Command::Error,
            {"compose takes options only, not '-h'"});
        row("compose ending in --", {"compose", "--flag=F", "--"}, Command::Compose, {"flag=F"});

        row("-odd.hsc after --", {"check", "--", "-odd.hsc"}, Command::Check, {"-odd.hsc"});
        row("-h after --", {"check", "a.hsc", "--", "-h", "--"}, Command::Check,
            {"a.hsc", "-h", "--"});
        row("-odd.hsc without --", {"check", "-odd.hsc"}, Command::Error,
            {"unknown option '-odd.hsc'"});
        row("nothing after --", {"check", "--"}, Command::Error, {"check needs at least one FILE"});
        row("a switch given a value", {"check", "a.hsc", "--help=yes"}, Command::Error,
            {"option '--help' takes no value"});

        row("window: -odd.hsc after --", {"--", "-odd.hsc"}, Command::Window, {"-odd.hsc"});
        row("window: a file named check", {"--", "check"}, Command::Window, {"check"});
        row("window: -- after the file", {"x.hsc", "--"}, Command::Window, {"x.hsc"});
        row("window: -- alone", {"--"}, Command::Window);
        row("window: two files after --", {"--", "a.hsc", "-h"}, Command::Error,
            {"the window opens one FILE"});
        row("--version then --", {"--version", "--"}, Command::Error, {"unexpected '--'"});
    }

    void parse()
    {
        QFETCH(QStringList, words);
        QFETCH(int, command);
        QFETCH(QStringList, expected);
        const Arguments arguments = Arguments::parse(words);
        QCOMPARE(int(arguments.command), command);
        QCOMPARE(outcome(arguments), expected);
        // The Linux launcher chooses the program by the same rule.
        std::vector<std::string> utf8;
        for (const QString& word : words)
            utf8.push_back(word.toStdString());
        QCOMPARE(vantrel::opensWindow(utf8), command == int(Command::Window));
    }

    // Each option is taken where its scope says, in each of its spellings, and refused
    // elsewhere.
    void parserTakesEveryOption()
    {
        const struct
        {
            OptionScope scope;
            QStringList before;
        } places[] = {{OptionScope::Program, {}},
                      {OptionScope::Check, {"check", "a.hsc"}},
                      {OptionScope::Compose, {"compose"}}};
        for (const Option& option : vantrel::Options) {
            for (const QString& spelled : spellings(option)) {
                for (const auto& [scope, before] : places) {
                    const bool taken =
                        option.scope == scope || option.scope == OptionScope::AnyCommand;
                    const QStringList value =
                        option.value.empty() ? QStringList{} : QStringList{"-v"};
                    const QStringList words = before + QStringList{spelled} + value;
                    const Arguments arguments = Arguments::parse(words);
                    QVERIFY2((arguments.command != Command::Error) == taken,
                             qPrintable(words.join(u' ')));
                    if (taken && !value.isEmpty())
                        QCOMPARE(arguments.options.value(latin1(option.name)), value.first());
                }
            }
        }
    }

    void helpListsEveryOption()
    {
        QProcess program;
        program.start(QStringLiteral(VANTREL_PROGRAM), {QStringLiteral("--help")});
        QVERIFY(program.waitForFinished(30000));
        const QString help = QString::fromLocal8Bit(program.readAllStandardOutput());
        for (const Option& option : vantrel::Options) {
            QString label = QStringLiteral("--") + latin1(option.name);
            if (option.letter)
                label.prepend(QStringLiteral("-%1, ").arg(QLatin1Char(option.letter)));
            if (!option.value.empty())
                label += u' ' + latin1(option.value);
            const QRegularExpression line(QStringLiteral("^  ") +
                                              QRegularExpression::escape(label) +
                                              QStringLiteral("  +\\S"),
                                          QRegularExpression::MultilineOption);
            QVERIFY2(help.contains(line), qPrintable(label));
        }
        const QStringList named = longNamesOf(help, QStringLiteral("--"));
        QVERIFY(!named.isEmpty());
        for (const QString& name : named)
            QVERIFY2(isOptionName(name), qPrintable(name));
    }

    void manualListsEveryOption()
    {
#ifndef VANTREL_MANUAL_PAGE
        QSKIP("no manual page on this system");
#else
        QFile file(QStringLiteral(VANTREL_MANUAL_PAGE));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString page = QString::fromUtf8(file.readAll());
        const auto roff = [](QString plain) { return plain.replace(u'-', QStringLiteral("\\-")); };
        for (const Option& option : vantrel::Options) {
            // An entry of OPTIONS: ".TP", then a heading with each spelling and the value.
            QString heading = QStringLiteral("^\\.TP\\n\\.B[IR]? ");
            for (const QString& spelled : spellings(option))
                heading +=
                    QStringLiteral("(?=.*%1\\b)").arg(QRegularExpression::escape(roff(spelled)));
            if (!option.value.empty())
                heading += QStringLiteral("(?=.*\" %1\")").arg(latin1(option.value));
            const QRegularExpression entry(heading, QRegularExpression::MultilineOption);
            QVERIFY2(page.contains(entry), qPrintable(heading));
            if (option.scope == OptionScope::Compose || option.scope == OptionScope::Check) {
                const QString synopsis =
                    QStringLiteral("\n.OP %1 %2\n")
                        .arg(roff(spellings(option).first()), latin1(option.value));
                QVERIFY2(page.contains(synopsis), qPrintable(synopsis));
            }
        }
        const QStringList named = longNamesOf(page, QStringLiteral("\\-\\-"));
        QVERIFY(!named.isEmpty());
        for (const QString& name : named)
            QVERIFY2(isOptionName(name) || name == u"option", qPrintable(name));
#endif
    }
};

QTEST_GUILESS_MAIN(ArgumentsTest)
#include "tst_arguments.moc"
