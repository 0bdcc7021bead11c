#include "windowkit/DeferredIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <memory>

namespace vantrel {
namespace {

class DeferredIconEngine : public QIconEngine
{
public:
    explicit DeferredIconEngine(std::function<QIcon()> make)
        : m_made(std::make_shared<Made>(Made{std::move(make), {}}))
    {
    }

    // The made icon's own pixmap for exactly this many device pixels: the QIcon that holds
    // this engine has already allowed for the device pixel ratio.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, 1.0, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return pixmap(size, mode, state).size();
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }

    // Answered without making the icon: asking whether there is one is no reason to make it.
    bool isNull() override { return false; }

    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    // Shared by the copies, so that the icon is made once however often it is copied.
    struct Made
    {
        std::function<QIcon()> make;
        QIcon icon;
    };

    const QIcon& icon()
    {
        if (m_made->make)
            m_made->icon = std::exchange(m_made->make, nullptr)();
        return m_made->icon;
    }

    std::shared_ptr<Made> m_made;
};

} // namespace

QIcon deferredIcon(std::function<QIcon()> make)
{
    return QIcon(new DeferredIconEngine(std::move(make)));
}

} // namespace vantrel
