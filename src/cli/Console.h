#pragma once

#include "files/MessageSink.h"

#include <QByteArrayView>
#include <QString>

namespace vantrel {

// A command's standard output and standard error: bytes out exactly as given (no line end
// translated, on Windows either), messages one line each.
class Console
{
public:
    // The program's name for messages, from the name it was started under.
    explicit Console(const char* startedAs);

    const QString& programName() const { return m_programName; }

    // False when not every byte reached standard output.
    [[nodiscard]] bool write(QByteArrayView bytes);
    // One line on standard error as it stands.
    void line(const QString& text);
    // "vantrel: text"
    void error(const QString& text);
    void warning(const QString& text);
    // "FILE: reason", as compilers and file tools name a file they could not use.
    void fileError(const QString& file, const QString& reason);

private:
    QString m_programName;
};

// Shows the file store's failures on standard error as "FILE: reason", each on one line.
class ConsoleSink : public MessageSink
{
public:
    ConsoleSink(Console& console, const QString& file) : m_console(console), m_file(file) {}

    void showCritical(const QString& title, const QString& text) override;

    bool failed() const { return m_failed; }

private:
    Console& m_console;
    QString m_file;
    bool m_failed = false;
};

} // namespace vantrel
