// The command line's reading of any words (one per line of the input): the launcher and
// the program agree on when the window opens, and what follows "--" or stands as an
// option's value is taken as it is, whatever it looks like.
#include "FuzzCheck.h"
#include "cli/Arguments.h"
#include "cli/CommandWords.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using vantrel::Arguments;
using Command = Arguments::Command;

namespace {

// Words that look like options or commands, appended after the input's own.
const QStringList Tricky{"-h", "--help", "--", "--vehicle", "check", ""};
const QString End = QStringLiteral("--");

bool opensWindow(const QStringList& words)
{
    std::vector<std::string> utf8;
    for (const QString& word : words)
        utf8.push_back(word.toStdString());
    return vantrel::opensWindow(utf8);
}

bool allIn(const QStringList& taken, const QStringList& words)
{
    return std::ranges::all_of(taken, [&](const QString& word) { return words.contains(word); });
}

// The words with "--" added unless they hold one already, so that what comes next is a FILE.
QStringList endingOptions(const QStringList& words)
{
    return words.contains(End) ? words : words + QStringList{End};
}

void checkExtensions(const QStringList& words, const Arguments& arguments)
{
    for (const QString& word : Tricky) {
        if (arguments.command == Command::Check) {
            const Arguments more = Arguments::parse(endingOptions(words) + QStringList{word});
            require(more.command == Command::Check &&
                        more.files == arguments.files + QStringList{word},
                    "after --, any word is one more file to check");
        }
        if (arguments.command == Command::Compose && !words.contains(End)) {
            const Arguments more = Arguments::parse(words + QStringList{"--vehicle", word});
            QMap<QString, QString> expected = arguments.options;
            expected[QStringLiteral("vehicle")] = word;
            require(more.command == Command::Compose && more.options == expected,
                    "an option's value is the next word, whatever it is");
        }
        if (arguments.command == Command::Help) {
            const Arguments more = Arguments::parse(words + QStringList{End, word});
            require(more.command == Command::Help, "nothing after -- takes the help away");
        }
    }
    if (arguments.command == Command::Window && !words.contains(End)) {
        const Arguments more = Arguments::parse(words + QStringList{End});
        require(more.command == Command::Window && more.files == arguments.files,
                "a -- after the window's words changes nothing");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList words =
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)).split(u'\n');
    const Arguments arguments = Arguments::parse(words);
    require(opensWindow(words) == (arguments.command == Command::Window),
            "the launcher starts the program that the words ask for");
    switch (arguments.command) {
    case Command::Window:
        require(arguments.files.size() <= 1 && allIn(arguments.files, words),
                "the window opens at most one of the words");
        break;
    case Command::Check:
        require(!arguments.files.isEmpty() && allIn(arguments.files, words),
                "check checks some of the words");
        break;
    case Command::Error:
        require(!arguments.error.isEmpty(), "a mistake is told");
        break;
    case Command::Compose:
    case Command::Help:
    case Command::Version:
        break;
    }
    checkExtensions(words, arguments);
    return 0;
}
