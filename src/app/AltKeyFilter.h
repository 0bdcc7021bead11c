#pragma once

#include <QObject>

namespace vantrel {

// Alt with a letter is how a user reaches for a menu or a button. Where nothing takes it,
// a text box would type the letter into a name or a script, so such a key press goes on
// without its text: anything that handles the key itself still gets it. Installed on the
// application, for every window.
class AltKeyFilter : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;
};

} // namespace vantrel
