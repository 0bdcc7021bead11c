#pragma once

#include <QObject>

class QAction;
class QLineEdit;

namespace vantrel {

// A warning inside a name box, at its right end, while the box's text would not stand as
// one name in a script. It says what is wrong to the eye, to the mouse and to a screen
// reader, and never blocks anything: Compile uses the text as it stands.
class NameMark : public QObject
{
    Q_OBJECT

public:
    explicit NameMark(QLineEdit* box);

private:
    void update();

    QLineEdit* m_box;
    QAction* m_mark;
};

} // namespace vantrel
