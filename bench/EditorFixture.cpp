#include "EditorFixture.h"

#include <QCoreApplication>

namespace vantrel::bench {

EditorFixture::EditorFixture()
{
    editor = form.findChild<QPlainTextEdit*>(QStringLiteral("Txt1"));
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

} // namespace vantrel::bench
