#include "app/ProgramIcon.h"

#include "windowkit/DeferredIcon.h"

#include <QApplication>
#include <QWidget>

namespace vantrel {
namespace {

class IconAfterFirstPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            QCoreApplication::instance()->removeEventFilter(this);
            // Queued: the window's children paint, and the frame is shown, in this same pass.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    QApplication::setWindowIcon(programIcon());
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

QIcon programIcon()
{
    return deferredIcon([] {
        QIcon icon;
        for (int size : {16, 24, 32, 48, 64, 128, 256})
            icon.addFile(QStringLiteral(":/icons/vantrel-%1.png").arg(size), QSize(size, size));
        return icon;
    });
}

void setProgramIconAfterFirstPaint(QApplication& app)
{
    app.installEventFilter(new IconAfterFirstPaint(&app));
}

} // namespace vantrel
