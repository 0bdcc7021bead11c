#pragma once

#include "files/FileSystem.h"
#include "files/MessageSink.h"
#include "script/TextFormat.h"

#include <QString>
#include <functional>
#include <optional>

namespace vantrel {

class FileDialog;
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

// The editor as the file commands see it.
struct EditorLink
{
    const TextPieces& text;
    // Replaces the whole text, read in the given encoding, which then counts as unchanged.
    std::function<void(const QString&, TextEncoding)> setText;
    // Whether the user has changed the text by hand since it was last set or saved.
    std::function<bool()> changedByHand;
    std::function<void()> markSaved;
};

// Load and the saves: each asks for a path through the one file dialog and hands it to the
// store, which reports every failure itself. A cancelled dialog does nothing at all.
class ScriptCommands
{
public:
    static const QString SaveExtension; // ".hsc", appended to every name chosen for a save
    static const QString QuestionTitle;

    ScriptCommands(FileDialog& dialog, ScriptFileStore& store, MessageSink& questions,
                   EditorLink editor);

    // Replaces the editor's text with the chosen file's, only when the load succeeds; the
    // text's file is then that file.
    void load();
    // The same, for a file named without the dialog, which then offers it.
    void load(const QString& path);
    // Save Script: appends the editor's text to the chosen name with ".hsc" behind it, in the
    // encoding the text came in.
    void save();
    // Save Changes: replaces the content of the text's file with the text, after a question
    // when another program has changed the file since; Save Script As when there is no file.
    bool saveChanges();
    // Save Script As: replaces the content of the chosen file, which becomes the text's.
    bool saveAs();
    // Whether the window may close: at once without hand edits, else as the user answers
    // the question to save them, discard them or keep the window open.
    bool mayClose();

    // The file the text came from or was last saved as; empty when it has none.
    const QString& textFile() const { return m_file; }
    // The text was made anew (Compile): it belongs to no file.
    void forgetFile();

private:
    bool replace(const QString& path);

    FileDialog& m_dialog;
    ScriptFileStore& m_store;
    MessageSink& m_questions;
    EditorLink m_editor;
    QString m_file;
    std::optional<FileSystem::FileState> m_fileState; // the version last loaded or saved
};

} // namespace vantrel
