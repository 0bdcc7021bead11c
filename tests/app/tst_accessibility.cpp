#include "Application.h"
#include "Form1.h"
#include "Form2.h"
#include "NamedChild.h"
#include "frmAbout.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QTest>

using namespace vantrel;

namespace {

template <class Window> Window* shown()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible())
            return window;
    return nullptr;
}

// Every control that the keyboard reaches, in every window, has a name a screen reader
// can speak.
void verifyEveryFocusableControlIsNamed(const QWidget& window)
{
    int checked = 0;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible() || !widget->isEnabled() ||
            !(widget->focusPolicy() & Qt::TabFocus) || widget->focusProxy())
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible);
        QVERIFY2(!accessible->text(QAccessible::Name).trimmed().isEmpty(),
                 qPrintable(window.objectName() + u'/' + widget->objectName() + u' ' +
                            QString::fromLatin1(widget->metaObject()->className())));
        ++checked;
    }
    QVERIFY2(checked > 0, qPrintable(window.objectName()));
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void everyWindowNamesItsControls()
    {
        Form1 main;
        main.show();
        child<QCheckBox>(main, "Check1")->click(); // the second vehicle's row too
        verifyEveryFocusableControlIsNamed(main);

        child<QAction>(main, "about")->trigger();
        QVERIFY(shown<frmAbout>());
        verifyEveryFocusableControlIsNamed(*shown<frmAbout>());
        shown<frmAbout>()->close();

        child<QAction>(main, "VT")->trigger();
        QVERIFY(shown<Form2>());
        verifyEveryFocusableControlIsNamed(*shown<Form2>());
        shown<Form2>()->close();
        QTRY_VERIFY(main.isVisible());
    }
};

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
