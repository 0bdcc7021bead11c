#include "mainwindow/CompactCheckBox.h"

#include "windowkit/ProgramColours.h"

#include <QPainter>

namespace vantrel {

void CompactCheckBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect box = rect().adjusted(0, 0, -1, -1);
    const QPalette& colours = palette();
    const QColor light = colours.color(QPalette::Button).lighter(160);
    const QColor dark = colours.color(QPalette::ButtonText);
    const bool down = isChecked() || isDown();

    // Raised when up, sunken with a dark centre when down: plain to see even this small.
    painter.fillRect(rect(), colours.color(QPalette::Button));
    painter.setPen(down ? dark : light);
    painter.drawLine(box.topLeft(), box.topRight());
    painter.drawLine(box.topLeft(), box.bottomLeft());
    painter.setPen(down ? light : dark);
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomRight());
    // The mark: a dark bar inside the grey face, framed by face colour on every side.
    if (isChecked())
        painter.fillRect(rect().adjusted(3, 3, -3, -3), dark);
    if (hasFocus()) {
        painter.setPen(QPen(ProgramColours::FocusEdge, 1, Qt::DotLine));
        painter.drawRect(box);
    }
}

bool CompactCheckBox::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}

} // namespace vantrel
