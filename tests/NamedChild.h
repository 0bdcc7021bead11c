#pragma once

#include <QObject>
#include <QtGlobal>

// The child that a window's tests know by its object name; a missing one ends the test
// run at once, naming it, rather than failing later on a null pointer.
template <class T> T* child(const QObject& parent, const char* name)
{
    T* found = parent.findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no child named %s", name);
    return found;
}
