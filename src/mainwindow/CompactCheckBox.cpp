#include "mainwindow/CompactCheckBox.h"

#include "windowkit/ProgramColours.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace vantrel {

void CompactCheckBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect box = rect().adjusted(0, 0, -1, -1);
    const QPalette& colours = palette();
    const QColor light = colours.color(QPalette::Button).lighter(160);
    const QColor dark = colours.color(QPalette::ButtonText);
    const bool down = isChecked() || isDown();

    // Raised when up, sunken when down: plain to see even this small.
    painter.fillRect(rect(), colours.color(QPalette::Button));
    painter.setPen(down ? dark : light);
    painter.drawLine(box.topLeft(), box.topRight());
    painter.drawLine(box.topLeft(), box.bottomLeft());
    painter.setPen(down ? light : dark);
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomRight());
    if (isChecked())
        drawCheckMark(painter);
    if (hasFocus()) {
        painter.setPen(QPen(ProgramColours::FocusEdge, 1, Qt::DotLine));
        painter.drawRect(box);
    }
}

// A tick across the face inside the edges, centred on its height. Black: the dark grey of
// the box's text reads at less than 3:1 on its grey face, black at over 5:1.
void CompactCheckBox::drawCheckMark(QPainter& painter) const
{
    const QRectF inside = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal side = std::min(inside.width(), inside.height());
    const QRectF square(inside.left() + (inside.width() - side) / 2,
                        inside.top() + (inside.height() - side) / 2, side, side);
    QPainterPath tick;
    tick.moveTo(square.left() + side * 0.08, square.top() + side * 0.5);
    tick.lineTo(square.left() + side * 0.4, square.top() + side * 0.82);
    tick.lineTo(square.right() - side * 0.02, square.top() + side * 0.12);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(
        QPen(ProgramColours::CheckMark, side * 0.26, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPath(tick);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

bool CompactCheckBox::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}

} // namespace vantrel
