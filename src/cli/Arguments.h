#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace vantrel {

// What a command line asks for:
//   vantrel [--] [FILE]                the window, with FILE loaded
//   vantrel check [--functions LIST] [--] FILE...   the check of each file
//   vantrel compose [OPTION]...        a script, on standard output or appended to a file
//   vantrel --help | --version
// Read as getopt reads it: an option's value is the next word, whatever it looks like, and
// "--" ends the options. The options are those of Options.h.
struct Arguments
{
    enum class Command
    {
        Window,
        Check,
        Compose,
        Help,
        Version,
        Error
    };

    Command command = Command::Window;
    QStringList files;              // the file to open, or the files to check
    QMap<QString, QString> options; // the command's options, by name without the dashes
    QString error;                  // one line, for Command::Error

    // From the words after the program's name.
    static Arguments parse(const QStringList& words);
};

// The program's words, its name first, as the system gave them: on Windows the wide
// command line, which names files outside the ANSI code page that argv cannot.
QStringList programWords(int argc, const char* const argv[]);

} // namespace vantrel
