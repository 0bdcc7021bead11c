#pragma once

#include <QString>
#include <functional>

namespace vantrel {

class FileDialog;
class MessageSink;
class ScriptFileStore;
class TextPieces;

// What the main window's file commands use in place of the real dialog and message boxes;
// null means the real one. Tests fill these so that nothing modal waits for a user.
struct FileSeams
{
    FileDialog* dialog = nullptr;
    MessageSink* messages = nullptr;
    FileDialog* functionListDialog = nullptr; // "Use Function List…" asks this one
};

// Load and Save: each asks for a path through the one file dialog and hands it to the
// store, which reports every failure itself. A cancelled dialog does nothing at all.
class ScriptCommands
{
public:
    static const QString SaveExtension; // ".hsc", appended to every name chosen for a save

    ScriptCommands(FileDialog& dialog, ScriptFileStore& store, const TextPieces& editorText,
                   std::function<void(const QString&)> setEditorText);

    // Replaces the editor's text with the chosen file's, only when the load succeeds.
    void load();
    // The same, for a file named without the dialog, which then offers it.
    void load(const QString& path);
    // Appends the editor's text to the chosen name with ".hsc" behind it.
    void save();

private:
    FileDialog& m_dialog;
    ScriptFileStore& m_store;
    const TextPieces& m_editorText;
    std::function<void(const QString&)> m_setEditorText;
};

} // namespace vantrel
