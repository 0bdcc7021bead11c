#include "cli/Console.h"

#include <QFileInfo>
#include <cstdio>
#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace vantrel {

Console::Console(const char* startedAs)
    : m_programName(QFileInfo(QString::fromLocal8Bit(startedAs)).completeBaseName())
{
    if (m_programName.isEmpty())
        m_programName = QStringLiteral("vantrel");
#ifdef Q_OS_WIN
    // A script's CR LF must stay CR LF, and a lone LF must not become one.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

bool Console::write(QByteArrayView bytes)
{
    const size_t size = size_t(bytes.size());
    if (size > 0 && std::fwrite(bytes.data(), 1, size, stdout) != size)
        return false;
    return std::fflush(stdout) == 0;
}

void Console::line(const QString& text)
{
    std::fputs(qPrintable(text + u'\n'), stderr);
}

void Console::error(const QString& text)
{
    line(m_programName + QStringLiteral(": ") + text);
}

void Console::warning(const QString& text)
{
    line(m_programName + QStringLiteral(": warning: ") + text);
}

void Console::fileError(const QString& file, const QString& reason)
{
    line(file + QStringLiteral(": ") + reason);
}

void ConsoleSink::showCritical(const QString&, const QString& text)
{
    // The store's texts are the window's message boxes, with CR LF between their lines.
    QString reason = text;
    m_console.fileError(m_file, reason.replace(QStringLiteral("\r\n"), QStringLiteral(": ")));
    m_failed = true;
}

} // namespace vantrel
