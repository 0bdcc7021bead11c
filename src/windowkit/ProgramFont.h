#pragma once

#include <QFont>
#include <QStringList>

namespace vantrel {

// The windows were laid out for a compact dialog font; the toolkit's default is wider and
// would clip labels such as "Trigger Name" (65 pixels). These families share the metrics
// the layout needs, on Linux, Windows and macOS respectively.
inline QFont programFont()
{
    QFont font(QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                           QStringLiteral("Helvetica")});
    font.setPointSizeF(7.5);
    return font;
}

} // namespace vantrel
