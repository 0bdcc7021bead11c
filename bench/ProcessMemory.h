#pragma once

#include <QFile>

namespace vantrel::bench {

// A field of this process's /proc/self/status in kB: "VmRSS" (resident memory now) or
// "VmHWM" (its peak); 0 when it cannot be read.
inline qint64 processMemoryKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray name = QByteArray(field) + ':';
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith(name))
            return line.mid(name.size()).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

} // namespace vantrel::bench
