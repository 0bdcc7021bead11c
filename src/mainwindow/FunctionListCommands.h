#pragma once

#include <QObject>
#include <QString>

class QAction;

namespace vantrel {

class FileDialog;
class MessageSink;
class ScriptEditor;

// Which function list the script editor uses: the one found beside each loaded script (or
// in a folder above it), unless the user picked one with "Use Function List…", which then
// stays for the rest of the run. Nothing is remembered between runs.
class FunctionListCommands : public QObject
{
    Q_OBJECT

public:
    FunctionListCommands(ScriptEditor& editor, FileDialog& dialog, MessageSink& messages);

    // "Use Function List…", added to the editor's own commands.
    QAction* useAction() const { return m_use; }
    // A script was loaded from this path: look for its list.
    void scriptLoaded(const QString& path);

private:
    void use();
    bool apply(const QString& path, bool picked);

    ScriptEditor& m_editor;
    FileDialog& m_dialog;
    MessageSink& m_messages;
    QAction* m_use;
    bool m_picked = false;
};

} // namespace vantrel
