// Loaded into a Qt program through QT_QPA_GENERIC_PLUGINS, so that the program itself stays
// as it is: once its first window has painted, writes "painted <peak resident kB>" on
// standard output and quits the program.
#include <QCoreApplication>
#include <QFile>
#include <QGenericPlugin>
#include <QWidget>
#include <cstdio>

namespace {

// The process's peak resident memory so far, in kB (VmHWM in /proc/self/status).
QByteArray peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return "0";
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0);
    return "0";
}

class PaintProbe : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            m_seen = true;
            // The window's children paint, and the frame is flushed, in the same pass; the
            // event arrives once that pass is over, ahead of any work the program queued for
            // after its first paint.
            QCoreApplication::postEvent(this, new QEvent(QEvent::User), Qt::HighEventPriority);
        }
        return false;
    }

protected:
    void customEvent(QEvent*) override
    {
        std::printf("painted %s\n", peakResidentKb().constData());
        std::fflush(stdout);
        QCoreApplication::quit();
    }

private:
    bool m_seen = false;
};

} // namespace

class PaintProbePlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "paintprobe.json")

public:
    QObject* create(const QString&, const QString&) override
    {
        auto* probe = new PaintProbe;
        QCoreApplication::instance()->installEventFilter(probe);
        return probe;
    }
};

#include "PaintProbe.moc"
