#include "navigation/Occurrences.h"

#include "editor/ScriptEditor.h"
#include "language/ScriptColours.h"
#include "navigation/DeclarationSource.h"
#include "navigation/WordAtCursor.h"

#include <QScrollBar>

namespace vantrel {

const QString Occurrences::Group = QStringLiteral("occurrences");

Occurrences::Occurrences(ScriptEditor& editor, DeclarationSource& declarations)
    : QObject(&editor), m_editor(editor), m_declarations(declarations)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(0);
    connect(&m_settle, &QTimer::timeout, this, &Occurrences::update);
    const auto settle = [this] { m_settle.start(); };
    connect(&editor, &QPlainTextEdit::cursorPositionChanged, this, settle);
    connect(editor.verticalScrollBar(), &QScrollBar::valueChanged, this, settle);
    connect(&declarations, &DeclarationSource::changed, this, settle);
}

void Occurrences::update()
{
    QTextDocument& document = *m_editor.document();
    const int at = m_editor.textCursor().position();
    const WordAt word = wordAt(document, at);
    QList<QTextEdit::ExtraSelection> marks;
    if (!word.text.isEmpty() && m_declarations.isDeclared(word.text)) {
        // The text in view, from the start of its first line to the end of its last.
        const QRect view = m_editor.viewport()->rect();
        QTextCursor range = m_editor.cursorForPosition(view.topLeft());
        range.movePosition(QTextCursor::StartOfLine);
        const int from = range.position();
        QTextCursor last = m_editor.cursorForPosition(view.bottomRight());
        last.movePosition(QTextCursor::EndOfLine);
        range.setPosition(last.position(), QTextCursor::KeepAnchor);
        const QString text = range.selectedText();
        for (qsizetype found = text.indexOf(word.text, 0, Qt::CaseInsensitive); found >= 0;
             found = text.indexOf(word.text, found + 1, Qt::CaseInsensitive)) {
            const qsizetype end = found + word.text.size();
            if ((found > 0 && isNameCharacter(text[found - 1])) ||
                (end < text.size() && isNameCharacter(text[end])) || from + found == word.start)
                continue;
            QTextEdit::ExtraSelection mark;
            mark.cursor = QTextCursor(&document);
            mark.cursor.setPosition(from + int(found));
            mark.cursor.setPosition(from + int(end), QTextCursor::KeepAnchor);
            mark.format.setBackground(ScriptColours::OccurrenceBackground);
            marks << mark;
        }
    }
    m_editor.setSelectionGroup(Group, marks);
}

} // namespace vantrel
