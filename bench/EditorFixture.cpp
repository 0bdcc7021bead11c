#include "EditorFixture.h"

#include "files/ScriptCommands.h"

#include <QCoreApplication>

namespace vantrel::bench {

EditorFixture::EditorFixture() : form(nullptr, FileSeams{&dialog, &failures})
{
    editor = form.findChild<QPlainTextEdit*>(QStringLiteral("Txt1"));
    compile = form.findChild<QPushButton*>(QStringLiteral("cmdcmpl"));
    load = form.findChild<QPushButton*>(QStringLiteral("cmdload"));
    save = form.findChild<QPushButton*>(QStringLiteral("cmdsave"));
    form.show();
    floor.resize(editor->size());
    floor.show();
}

void EditorFixture::settle()
{
    QCoreApplication::processEvents();
    editor->document()->clearUndoRedoStacks();
    floor.document()->clearUndoRedoStacks();
}

void EditorFixture::clear()
{
    form.setScriptText(QString());
    floor.clear();
    settle();
}

} // namespace vantrel::bench
