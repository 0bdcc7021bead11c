#include "navigation/ScriptNavigation.h"

#include "editor/ScriptEditor.h"
#include "navigation/DeclarationSource.h"
#include "navigation/NameCompletion.h"
#include "navigation/Occurrences.h"
#include "navigation/OutlinePopup.h"
#include "navigation/WordAtCursor.h"

#include <QAction>
#include <QMouseEvent>

namespace vantrel {

ScriptNavigation::ScriptNavigation(ScriptEditor& editor)
    : QObject(&editor), m_editor(editor), m_declarations(new DeclarationSource(editor)),
      m_outline(new OutlinePopup(editor, *m_declarations)),
      m_completion(new NameCompletion(editor, *m_declarations))
{
    new Occurrences(editor, *m_declarations);
    connect(m_outline, &OutlinePopup::goTo, this, &ScriptNavigation::goTo);
    const auto add = [&](const char* name, const QString& text, const QKeySequence& keys,
                         auto command) {
        auto* action = new QAction(text, &editor);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        // Only while the editor (or the outline over it) has the focus.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, command);
        editor.addAction(action);
    };
    add("goToScript", QStringLiteral("Go to Script\u2026"),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), [this] { m_outline->open(); });
    add("goToDefinition", QStringLiteral("Go to Definition"), QKeySequence(Qt::Key_F12),
        [this] { goToDefinition(m_editor.textCursor().position()); });
    add("completeName", QStringLiteral("Complete Name"), QKeySequence(Qt::CTRL | Qt::Key_Space),
        [this] { m_completion->offer(); });
    editor.viewport()->installEventFilter(this);
}

void ScriptNavigation::goToDefinition(int position)
{
    const WordAt word = wordAt(*m_editor.document(), position);
    if (word.text.isEmpty())
        return;
    if (const Declaration* declaration = m_declarations->find(word.text))
        goTo(int(declaration->place.offset));
}

void ScriptNavigation::goTo(int position)
{
    QTextCursor cursor(m_editor.document());
    cursor.setPosition(position);
    m_editor.setTextCursor(cursor);
    m_editor.centerCursor();
    m_editor.setFocus(Qt::OtherFocusReason);
}

// Ctrl+click on a name goes to its declaration, once the click has placed the cursor.
bool ScriptNavigation::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::ControlModifier))
            goToDefinition(m_editor.cursorForPosition(mouse->position().toPoint()).position());
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vantrel
