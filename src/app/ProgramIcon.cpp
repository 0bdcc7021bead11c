#include "ProgramIcon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <array>

namespace vantrel {
namespace {

constexpr std::array Sides = {16, 24, 32, 48, 64, 128, 256};

class ProgramIconEngine : public QIconEngine
{
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        QPixmap image = drawing(bestSide(size));
        if (image.width() > size.width() || image.height() > size.height())
            image = image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (mode == QIcon::Normal || mode == QIcon::Active)
            return image;
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, image, &option);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min({bestSide(size), size.width(), size.height()});
        return {side, side};
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int side : Sides)
            sizes.append(QSize(side, side));
        return sizes;
    }

    QIconEngine* clone() const override { return new ProgramIconEngine; }
    QString key() const override { return QStringLiteral("vantrel"); }

private:
    // The smallest drawing that covers the size, or the largest there is.
    static int bestSide(const QSize& size)
    {
        const int wanted = std::max(size.width(), size.height());
        const auto found =
            std::ranges::find_if(Sides, [wanted](int side) { return side >= wanted; });
        return found == Sides.end() ? Sides.back() : *found;
    }

    static QPixmap drawing(int side)
    {
        const QString path = QStringLiteral(":/icons/vantrel-%1.png").arg(side);
        QPixmap image;
        if (!QPixmapCache::find(path, &image)) {
            image.load(path, "PNG");
            QPixmapCache::insert(path, image);
        }
        return image;
    }
};

} // namespace

QIcon programIcon()
{
    return QIcon(new ProgramIconEngine);
}

} // namespace vantrel
