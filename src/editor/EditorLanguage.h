#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

class QMenu;

namespace vantrel {

// What the script editor asks of the language support that works beside it. The editor
// owns it and tells it when it paints, when its whole text is replaced, and asks it for
// tooltips and for its part of the context menu.
class EditorLanguage
{
public:
    virtual ~EditorLanguage() = default;
    // The blocks about to be painted want their colours.
    virtual void beforePaint() = 0;
    // A new whole text: check it at once, not after a pause.
    virtual void wholeTextReplaced() = 0;
    // What to show for the viewport point, with the rectangle it covers; empty for nothing.
    virtual QString toolTipAt(QPoint point, QRect& area) const = 0;
    virtual void addActions(QMenu& menu) = 0;
};

} // namespace vantrel
