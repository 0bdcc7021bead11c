#pragma once

#include <QObject>

namespace vantrel {

// The keys every window shares, installed on the application:
// - Alt with a letter is how a user reaches for a menu or a button. Where nothing takes it,
//   a text box would type the letter into a name or a script, so such a key press goes on
//   without its text: anything that handles the key itself still gets it.
// - Enter on a focused push button presses it, as Space does, as on the desktop the program
//   first ran on. Qt leaves that to a dialog's default and auto-default buttons, which the
//   main window's are not: there, Enter in a text box must press no button.
class ProgramKeys : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;
};

} // namespace vantrel
