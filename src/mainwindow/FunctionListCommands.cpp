#include "mainwindow/FunctionListCommands.h"

#include "editor/ScriptEditor.h"
#include "files/FileDialog.h"
#include "files/FunctionListFile.h"
#include "files/MessageSink.h"
#include "language/EditorLanguageSupport.h"

#include <QAction>
#include <QDir>

namespace vantrel {

FunctionListCommands::FunctionListCommands(ScriptEditor& editor, FileDialog& dialog,
                                           MessageSink& messages)
    : m_editor(editor), m_dialog(dialog), m_messages(messages),
      m_use(new QAction(QStringLiteral("Use Function List\u2026"), &editor))
{
    m_use->setObjectName(QStringLiteral("useFunctionList"));
    connect(m_use, &QAction::triggered, this, &FunctionListCommands::use);
}

void FunctionListCommands::scriptLoaded(const QString& path)
{
    if (m_picked)
        return;
    const QString found = FunctionListFile::findFor(path);
    // A list of another game must not check this script: with none found, none is used.
    if (found.isEmpty() || !apply(found, false))
        if (EditorLanguageSupport* language = languageSupport(m_editor))
            language->setFunctionList(nullptr, {});
}

void FunctionListCommands::use()
{
    if (m_dialog.ShowOpen())
        apply(m_dialog.FileName(), true);
}

// A picked list that cannot be used is reported; a found one is passed over quietly.
bool FunctionListCommands::apply(const QString& path, bool picked)
{
    EditorLanguageSupport* language = languageSupport(m_editor);
    const FunctionListFile file = FunctionListFile::read(path);
    if (!file.list) {
        if (picked)
            m_messages.showCritical(QStringLiteral("Function List"),
                                    QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                                        file.error);
        return false;
    }
    m_picked = m_picked || picked;
    if (language)
        language->setFunctionList(file.list, path);
    return true;
}

} // namespace vantrel
