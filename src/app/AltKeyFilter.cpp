#include "app/AltKeyFilter.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace vantrel {

bool AltKeyFilter::eventFilter(QObject* receiver, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    // Alt alone, with or without Shift. Ctrl with Alt is AltGr on Windows keyboards and Alt
    // on the keypad enters a character code: both type on purpose. On macOS, Option (Alt)
    // composes accented letters and no menu uses it.
#ifndef Q_OS_MACOS
    if ((key->modifiers() & ~Qt::ShiftModifier) == Qt::AltModifier && !key->text().isEmpty()) {
        QKeyEvent withoutText(key->type(), key->key(), key->modifiers(), key->nativeScanCode(),
                              key->nativeVirtualKey(), key->nativeModifiers(), QString(),
                              key->isAutoRepeat(), key->count(), key->device());
        // Delivered as the original would have been, passed up to the parents if ignored;
        // the original then goes no further.
        QCoreApplication::sendEvent(receiver, &withoutText);
        event->accept();
        return true;
    }
#endif
    return false;
}

} // namespace vantrel
