#include "Arguments.h"
#include "CommandWords.h"

#include <QTest>

using vantrel::Arguments;
using Command = Arguments::Command;

namespace {

// What a parse gave, in one list: the files; compose's options as NAME=VALUE; or the error.
QStringList outcome(const Arguments& arguments)
{
    QStringList values;
    for (auto option = arguments.options.begin(); option != arguments.options.end(); ++option)
        values << option.key() + u'=' + option.value();
    return arguments.command == Command::Error ? QStringList{arguments.error}
                                               : arguments.files + values;
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
        row("--help as the flag", {"compose", "--flag", "--help", "--vehicle=-h"}, Command::Compose,
            {"flag=--help", "vehicle=-h"});
        row("-- as a value ends nothing", {"compose", "--vehicle", "--", "--flag", "-h"},
            Command::Compose, {"flag=-h", "vehicle=--"});
        row("-h after a value", {"compose", "--vehicle", "Jeep", "-h"}, Command::Help);
        row("-h after an unknown option", {"compose", "--vehicles", "-h"}, Command::Help);
        row("-h after an option of compose", {"check", "--vehicle", "-h"}, Command::Help);
        row("-h among files", {"check", "a.hsc", "-h"}, Command::Help);
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

        row("window: -odd.hsc after --", {"--", "-odd.hsc"}, Command::Window, {"-odd.hsc"});
        row("window: a file named check", {"--", "check"}, Command::Window, {"check"});
        row("window: a file named --", {"--", "--"}, Command::Window, {"--"});
        row("window: -- after the file", {"x.hsc", "--"}, Command::Window, {"x.hsc"});
        row("window: -- alone", {"--"}, Command::Window);
        row("window: two files after --", {"--", "a.hsc", "-h"}, Command::Error,
            {"the window opens one FILE"});
        row("window: -h before --", {"-h", "--", "a.hsc"}, Command::Help);
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
};

QTEST_GUILESS_MAIN(ArgumentsTest)
#include "tst_arguments.moc"
