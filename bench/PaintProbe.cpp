// Loaded into a Qt program through QT_QPA_GENERIC_PLUGINS, so that the program itself stays
// as it is: once its first window has painted, writes "painted <peak resident kB>" on
// standard output and quits the program.
#include "ProcessMemory.h"

#include <QCoreApplication>
#include <QGenericPlugin>
#include <QWidget>
#include <cstdio>

namespace {

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
        std::printf("painted %lld\n", vantrel::bench::processMemoryKb("VmHWM"));
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
