#include "app/ProgramStyle.h"

#include "windowkit/DeferredIcon.h"

#include <QPointer>
#include <QStyleFactory>

namespace vantrel {

ProgramStyle::ProgramStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

int ProgramStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const
{
    switch (hint) {
    case SH_MenuBar_AltKeyNavigation:
        return 1;
    case SH_UnderlineShortcut:
        return 0;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const
{
    if (icon != SP_ToolBarHorizontalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    // The option and the widget are gone by the time the arrow is drawn; without them the
    // base style draws it for the application's layout direction.
    return deferredIcon([base = QPointer<QStyle>(baseStyle()), icon] {
        return base ? base->standardIcon(icon) : QIcon();
    });
}

} // namespace vantrel
