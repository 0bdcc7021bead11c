#pragma once

#include <QApplication>
#include <QWidget>

// The child that a window's tests know by its object name; a missing one ends the test
// run at once, naming it, rather than failing later on a null pointer.
template <class T> T* child(const QObject& parent, const char* name)
{
    T* found = parent.findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no child named %s", name);
    return found;
}

// The top-level windows of one kind; a closed window counts until it is really destroyed.
template <class Window> QList<Window*> windowsOf()
{
    QList<Window*> found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(widget))
            found << window;
    return found;
}

// The one window of a kind, or null when there is none or more than one.
template <class Window> Window* theOne()
{
    const QList<Window*> found = windowsOf<Window>();
    return found.size() == 1 ? found.first() : nullptr;
}
