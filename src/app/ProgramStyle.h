#pragma once

#include <QProxyStyle>

namespace vantrel {

// Fusion, so the documented colours show the same on every platform, with keyboard access
// to the menu bar: Alt selects its first menu and the arrow keys move on. The captions carry
// no mnemonics, so no underline ever shows.
class ProgramStyle : public QProxyStyle
{
    Q_OBJECT

public:
    ProgramStyle();

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

} // namespace vantrel
