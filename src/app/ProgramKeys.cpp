#include "app/ProgramKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace vantrel {
namespace {

bool altWithLetter(QObject* receiver, const QKeyEvent& key)
{
    // Alt alone, with or without Shift. Ctrl with Alt is AltGr on Windows keyboards and Alt
    // on the keypad enters a character code: both type on purpose. On macOS, Option (Alt)
    // composes accented letters and no menu uses it.
#ifndef Q_OS_MACOS
    if ((key.modifiers() & ~Qt::ShiftModifier) == Qt::AltModifier && !key.text().isEmpty()) {
        QKeyEvent withoutText(key.type(), key.key(), key.modifiers(), key.nativeScanCode(),
                              key.nativeVirtualKey(), key.nativeModifiers(), QString(),
                              key.isAutoRepeat(), key.count(), key.device());
        // Delivered as the original would have been, passed up to the parents if ignored;
        // the original then goes no further.
        QCoreApplication::sendEvent(receiver, &withoutText);
        return true;
    }
#else
    Q_UNUSED(receiver);
    Q_UNUSED(key);
#endif
    return false;
}

bool enterOnButton(QObject* receiver, const QKeyEvent& key)
{
    auto* button = qobject_cast<QPushButton*>(receiver);
    if (!button || (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter) ||
        (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || button->autoDefault() ||
        button->isDefault())
        return false;
    if (!key.isAutoRepeat()) // held down, it presses once
        button->click();
    return true;
}

} // namespace

bool ProgramKeys::eventFilter(QObject* receiver, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (!altWithLetter(receiver, key) && !enterOnButton(receiver, key))
        return false;
    event->accept();
    return true;
}

} // namespace vantrel
