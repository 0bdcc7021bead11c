#pragma once

#include "NamedChild.h"
#include "app/Application.h"
#include "mainwindow/Form1.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace vantrel::test {

// Opens a context menu as the keyboard's menu key (or the mouse) does, and gives the menu.
inline QMenu* openContextMenu(QWidget* at, QPoint point = {5, 5},
                              QContextMenuEvent::Reason reason = QContextMenuEvent::Keyboard)
{
    QContextMenuEvent event(reason, point, at->mapToGlobal(point));
    QApplication::sendEvent(at, &event);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

// What a list shows, row by row; none while it is hidden.
inline QStringList rowsOf(const QAbstractItemView& list)
{
    QStringList rows;
    for (int row = 0; list.isVisible() && row < list.model()->rowCount(); ++row)
        rows << list.model()->index(row, 0).data().toString();
    return rows;
}

inline void putCursor(QPlainTextEdit& editor, int position)
{
    QTextCursor cursor(editor.document());
    cursor.setPosition(position);
    editor.setTextCursor(cursor);
}

inline QString accessibleName(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// Runs the real event loop, where closing the last window ends the program; a watchdog
// ends it with 1 should that never happen.
inline int execWithWatchdog(QObject* context, const std::function<void()>& first)
{
    QTimer::singleShot(0, context, first);
    QTimer::singleShot(30'000, context, [] { QCoreApplication::exit(1); });
    return QApplication::exec();
}

// The real main window, shown and active, its controls found by name and driven by events.
class MainWindowFixture
{
protected:
    std::unique_ptr<Form1> m_window;

    void openMainWindow(const FileSeams& seams = {})
    {
        m_window = std::make_unique<Form1>(nullptr, seams);
        m_window->show();
        activateMainWindow();
    }
    void activateMainWindow() const
    {
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    template <class T = QWidget> T* control(const char* name) const
    {
        return child<T>(*m_window, name);
    }
    void click(const char* name) const { QTest::mouseClick(control(name), Qt::LeftButton); }
    void trigger(const char* action) const { control<QAction>(action)->trigger(); }
    void type(const char* name, const QString& text) const
    {
        QTest::keyClicks(control(name), text);
    }
    // Tab walks the focus through the named controls in turn; in the editor, where Tab
    // types a tab, Ctrl+Tab leaves it.
    void verifyTabOrder(std::initializer_list<const char*> names) const
    {
        for (const char* name : names) {
            QWidget* from = QApplication::focusWidget();
            QTest::keyClick(from, Qt::Key_Tab,
                            from == control("Txt1") ? Qt::ControlModifier : Qt::NoModifier);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(name));
        }
    }
};

} // namespace vantrel::test
