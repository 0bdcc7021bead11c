#include "cli/Arguments.h"

#include "cli/CommandWords.h"

#include <algorithm>

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

Arguments unknownOption(const QString& option)
{
    return failure(QStringLiteral("unknown option '%1'").arg(option));
}

bool is(const QString& word, std::string_view expected)
{
    return word == QLatin1StringView(expected.data(), qsizetype(expected.size()));
}

bool isHelp(const QString& word)
{
    return word == u"--help" || word == u"-h";
}

Arguments parseCheck(const QStringList& words)
{
    Arguments check = asking(Command::Check);
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (word.startsWith(u"--functions=")) {
            check.options[FunctionsOption] = word.mid(word.indexOf(u'=') + 1);
            continue;
        }
        if (word == u"--functions") {
            if (i + 1 == words.size())
                return failure(QStringLiteral("option '--functions' needs a value"));
            check.options[FunctionsOption] = words[++i];
            continue;
        }
        if (word.startsWith(u'-'))
            return unknownOption(word);
        check.files << word;
    }
    if (check.files.isEmpty())
        return failure(QStringLiteral("check needs at least one FILE"));
    return check;
}

// Each option takes a value, as --name VALUE or --name=VALUE; the last one given counts.
Arguments parseCompose(const QStringList& words)
{
    Arguments compose = asking(Command::Compose);
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (!word.startsWith(u'-'))
            return failure(QStringLiteral("compose takes options only, not '%1'").arg(word));
        const qsizetype equals = word.indexOf(u'=');
        const QString name = word.mid(2, equals < 0 ? -1 : equals - 2);
        const bool known = name == QLatin1StringView(OutputOption) ||
                           std::ranges::any_of(ComposeNameOptions, [&](const NameOption& option) {
                               return name == QLatin1StringView(option.name);
                           });
        if (!word.startsWith(u"--") || !known)
            return unknownOption(word.left(equals));
        if (equals >= 0)
            compose.options[name] = word.mid(equals + 1);
        else if (i + 1 < words.size())
            compose.options[name] = words[++i];
        else
            return failure(QStringLiteral("option '%1' needs a value").arg(word));
    }
    return compose;
}

} // namespace

Arguments Arguments::parse(int argc, const char* const argv[])
{
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    if (opensWindow(argc - 1, argv + 1)) {
        Arguments window = asking(Command::Window);
        window.files = words;
        return window;
    }
    if (std::ranges::any_of(words, isHelp))
        return asking(Command::Help);

    const QString first = words.takeFirst();
    if (is(first, CheckWord))
        return parseCheck(words);
    if (is(first, ComposeWord))
        return parseCompose(words);
    if (first == u"--version")
        return words.isEmpty() ? asking(Command::Version)
                               : failure(QStringLiteral("unexpected '%1'").arg(words.first()));
    if (first.startsWith(u'-'))
        return unknownOption(first);
    return failure(QStringLiteral("unknown command '%1' (the window opens one FILE)").arg(first));
}

} // namespace vantrel
