#include "cli/Arguments.h"

#include "cli/CommandWords.h"
#include "cli/Options.h"

#include <optional>
#include <string>
#include <vector>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <shellapi.h>
#endif

namespace vantrel {
namespace {

using Command = Arguments::Command;

Arguments asking(Command command)
{
    Arguments arguments;
    arguments.command = command;
    return arguments;
}

Arguments failure(const QString& message)
{
    Arguments arguments = asking(Command::Error);
    arguments.error = message;
    return arguments;
}

QString unknownOption(const QString& option)
{
    return QStringLiteral("unknown option '%1'").arg(option);
}

bool is(const QString& word, std::string_view expected)
{
    return word == latin1(expected);
}

bool isOption(const QString& word)
{
    return word.startsWith(u'-');
}

// A command's words, each an option, an option's value or an operand.
struct Reading
{
    QStringList operands;
    QMap<QString, QString> values; // by the option's name; the last one given counts
    bool help = false;
    QString error; // the first mistake
};

// Each word in turn. After "--" every word is an operand; an option that takes a value
// has it as --name=VALUE or as the next word, whatever that looks like.
Reading read(const QStringList& words, OptionScope scope)
{
    Reading reading;
    const auto mistake = [&](const QString& error) {
        if (reading.error.isEmpty())
            reading.error = error;
    };
    bool optionsEnded = false;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (optionsEnded || !isOption(word)) {
            reading.operands << word;
            continue;
        }
        if (is(word, EndOfOptions)) {
            optionsEnded = true;
            continue;
        }
        const qsizetype equals = word.indexOf(u'=');
        const QString spelled = word.left(equals);
        const Option* option = findOption(spelled, scope);
        if (!option) {
            mistake(unknownOption(spelled));
        } else if (option->value.empty()) {
            if (equals >= 0)
                mistake(QStringLiteral("option '%1' takes no value").arg(spelled));
            else if (option->name == HelpOption)
                reading.help = true;
        } else {
            const QString name = latin1(option->name);
            if (equals >= 0)
                reading.values[name] = word.mid(equals + 1);
            else if (i + 1 < words.size())
                reading.values[name] = words[++i];
            else
                mistake(QStringLiteral("option '%1' needs a value").arg(word));
        }
    }
    return reading;
}

// Help answers whatever else is wrong with the words.
std::optional<Arguments> helpOrMistake(const Reading& reading)
{
    if (reading.help)
        return asking(Command::Help);
    if (!reading.error.isEmpty())
        return failure(reading.error);
    return std::nullopt;
}

Arguments parseCheck(const QStringList& words)
{
    const Reading reading = read(words, OptionScope::Check);
    if (const std::optional<Arguments> answer = helpOrMistake(reading))
        return *answer;
    if (reading.operands.isEmpty())
        return failure(QStringLiteral("check needs at least one FILE"));
    Arguments check = asking(Command::Check);
    check.files = reading.operands;
    check.options = reading.values;
    return check;
}

Arguments parseCompose(const QStringList& words)
{
    const Reading reading = read(words, OptionScope::Compose);
    if (const std::optional<Arguments> answer = helpOrMistake(reading))
        return *answer;
    if (!reading.operands.isEmpty())
        return failure(
            QStringLiteral("compose takes options only, not '%1'").arg(reading.operands.first()));
    Arguments compose = asking(Command::Compose);
    compose.options = reading.values;
    return compose;
}

// No command, and not the window's words: --help, --version, or a mistake.
Arguments parseProgram(const QStringList& words)
{
    const Reading reading = read(words, OptionScope::Program);
    if (reading.help)
        return asking(Command::Help);
    const QString& first = words.first();
    if (const Option* option = findOption(first, OptionScope::Program);
        option && option->name == VersionOption)
        return words.size() == 1 ? asking(Command::Version)
                                 : failure(QStringLiteral("unexpected '%1'").arg(words[1]));
    if (is(first, EndOfOptions))
        return failure(QStringLiteral("the window opens one FILE"));
    if (isOption(first))
        return failure(reading.error);
    return failure(QStringLiteral("unknown command '%1' (the window opens one FILE)").arg(first));
}

} // namespace

Arguments Arguments::parse(const QStringList& words)
{
    std::vector<std::string> utf8;
    for (const QString& word : words)
        utf8.push_back(word.toStdString());
    if (opensWindow(utf8)) {
        Arguments window = asking(Command::Window);
        window.files = words;
        window.files.removeOne(latin1(EndOfOptions));
        return window;
    }
    const QString& first = words.first();
    if (is(first, CheckWord))
        return parseCheck(words.mid(1));
    if (is(first, ComposeWord))
        return parseCompose(words.mid(1));
    return parseProgram(words);
}

QStringList programWords(int argc, const char* const argv[])
{
    QStringList words;
#ifdef Q_OS_WIN
    // argv holds the ANSI code page's bytes, which cannot name every file; the system's
    // own wide words can. Should the two count differently, argv is kept, as the run-time
    // library split it.
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            words << QString::fromWCharArray(wide[i]);
        LocalFree(wide);
        if (count == argc)
            return words;
        words.clear();
    }
#endif
    for (int i = 0; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    return words;
}

} // namespace vantrel
