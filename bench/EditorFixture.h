#pragma once

#include "Form1.h"

#include <QPlainTextEdit>

namespace vantrel::bench {

// The main window beside the toolkit's floor: a bare QPlainTextEdit of the size of the
// main window's editor, in a window of its own. Both are shown, offscreen.
struct EditorFixture
{
    EditorFixture();

    // Paints the widget now, as the user would see it once the event loop came round.
    static void paint(QWidget* widget) { widget->repaint(); }
    // Untimed housekeeping between samples: pending events, and the undo history that
    // would otherwise grow with every replaced text.
    void settle();

    Form1 form;
    QPlainTextEdit* editor = nullptr;
    QPlainTextEdit floor;
};

} // namespace vantrel::bench
