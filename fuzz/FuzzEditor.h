#pragma once

#include "editor/EditorText.h"
#include "editor/ScriptEditor.h"

#include <QApplication>
#include <QTextCursor>
#include <cstdint>
#include <random>

// The application a target with widgets needs, made once. Qt takes arguments of its own: it
// would take libFuzzer's out of argv.
inline void startWidgetApplication(const char* name)
{
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(name), nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
}

// Random numbers below a bound, the same for the same seed.
struct Dice
{
    explicit Dice(std::uint32_t seed) : random(seed) {}
    int below(int bound) { return int(random() % std::uint32_t(bound)); }
    std::minstd_rand random;
};

// One edit where a user might make one: typed or pasted text (as the editor takes input),
// Enter, a removed selection, Undo or Redo.
inline void editSomewhere(vantrel::ScriptEditor& editor, const QString& typed, Dice& dice)
{
    const int length = editor.document()->characterCount() - 1;
    QTextCursor cursor(editor.document());
    cursor.setPosition(dice.below(length + 1));
    cursor.setPosition(dice.below(length + 1), QTextCursor::KeepAnchor);
    switch (dice.below(5)) {
    case 0:
        cursor.insertText(vantrel::toEditorInput(typed));
        break;
    case 1:
        cursor.removeSelectedText();
        break;
    case 2:
        editor.undo();
        break;
    case 3:
        cursor.insertBlock(); // as Enter does
        break;
    default:
        editor.redo();
    }
}
