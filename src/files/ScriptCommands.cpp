#include "files/ScriptCommands.h"

#include "files/FileDialog.h"
#include "files/ScriptFileStore.h"

namespace vantrel {

const QString ScriptCommands::SaveExtension = QStringLiteral(".hsc");

ScriptCommands::ScriptCommands(FileDialog& dialog, ScriptFileStore& store,
                               const TextPieces& editorText, SetEditorText setEditorText)
    : m_dialog(dialog), m_store(store), m_editorText(editorText),
      m_setEditorText(std::move(setEditorText))
{
}

void ScriptCommands::load()
{
    if (m_dialog.ShowOpen())
        load(m_dialog.FileName());
}

void ScriptCommands::load(const QString& path)
{
    m_dialog.setFileName(path);
    // A failed load keeps the editor's text: unsaved work is never lost to a bad path.
    TextEncoding encoding;
    if (const std::optional<QString> text = m_store.LoadTextFile(path, encoding))
        m_setEditorText(*text, encoding);
}

void ScriptCommands::save()
{
    if (!m_dialog.ShowSave())
        return;
    m_store.SaveTextFile(m_editorText, m_dialog.FileName() + SaveExtension);
}

} // namespace vantrel
