#include "files/ScriptCommands.h"

#include "files/FileDialog.h"
#include "files/ScriptFileStore.h"

#include <QDir>
#include <QFileInfo>

namespace vantrel {

const QString ScriptCommands::SaveExtension = QStringLiteral(".hsc");
const QString ScriptCommands::QuestionTitle = QStringLiteral("Vantrel");

namespace {

QString shownName(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

ScriptCommands::ScriptCommands(FileDialog& dialog, ScriptFileStore& store, MessageSink& questions,
                               EditorLink editor)
    : m_dialog(dialog), m_store(store), m_questions(questions), m_editor(std::move(editor))
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
    FileSystem::FileState state;
    TextEncoding encoding;
    if (const std::optional<QString> text = m_store.LoadTextFile(path, encoding, &state)) {
        m_editor.setText(*text, encoding);
        m_file = QFileInfo(path).absoluteFilePath(); // named in full where it is shown
        m_fileState = state;
    }
}

void ScriptCommands::save()
{
    if (!m_dialog.ShowSave())
        return;
    if (m_store.SaveTextFile(m_editor.text, m_dialog.FileName() + SaveExtension))
        m_editor.markSaved();
}

bool ScriptCommands::saveChanges()
{
    if (m_file.isEmpty())
        return saveAs();
    const std::optional<FileSystem::FileState> now = m_store.StateOf(m_file);
    if (now && m_fileState && !now->sameVersion(*m_fileState)) {
        const QString question =
            QStringLiteral("%1 has been changed by another program since it was loaded or "
                           "saved here.\r\nReplace it with the editor's text?")
                .arg(shownName(m_file));
        using enum MessageSink::Answer;
        if (m_questions.ask(QuestionTitle, question, {Save, Cancel}) != Save)
            return false;
    }
    return replace(m_file);
}

bool ScriptCommands::saveAs()
{
    if (!m_dialog.ShowSaveAs())
        return false;
    QString path = m_dialog.FileName();
    if (!QFileInfo(path).fileName().contains(u'.'))
        path += SaveExtension;
    return replace(path);
}

bool ScriptCommands::replace(const QString& path)
{
    FileSystem::FileState written;
    if (!m_store.ReplaceTextFile(m_editor.text, path, &written))
        return false;
    m_file = path;
    m_fileState = written;
    m_editor.markSaved();
    return true;
}

bool ScriptCommands::mayClose()
{
    if (!m_editor.changedByHand())
        return true;
    const QString question =
        m_file.isEmpty()
            ? QStringLiteral("The script has changes that are not saved.\r\nSave them?")
            : QStringLiteral("The script has changes that are not saved.\r\nSave them to %1?")
                  .arg(shownName(m_file));
    using enum MessageSink::Answer;
    switch (m_questions.ask(QuestionTitle, question, {Save, Discard, Cancel})) {
    case Save:
        return saveChanges();
    case Discard:
        return true;
    case Cancel:
        break;
    }
    return false;
}

void ScriptCommands::forgetFile()
{
    m_file.clear();
    m_fileState.reset();
}

} // namespace vantrel
