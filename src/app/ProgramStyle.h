#pragma once

#include <QProxyStyle>

namespace vantrel {

// Fusion, so the documented colours show the same on every platform, with keyboard access
// to the menu bar: Alt selects its first menu and the arrow keys move on. The captions carry
// no mnemonics, so no underline ever shows.
// The menu bar's overflow arrow, which the main window never shows, is read from its file
// only when drawn: the menu bar asks for it when made, and reading it through Qt's image
// plugins showed in the benchmark's startup figure.
class ProgramStyle : public QProxyStyle
{
    Q_OBJECT

public:
    ProgramStyle();

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace vantrel
