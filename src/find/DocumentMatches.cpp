#include "find/DocumentMatches.h"

#include "editor/ScriptEditor.h"

#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <private/qtextdocument_p.h>

namespace vantrel {
namespace {

std::u16string_view viewOf(const QString& text, qsizetype from = 0, qsizetype length = -1)
{
    return {reinterpret_cast<const char16_t*>(text.constData()) + from,
            std::size_t(length < 0 ? text.size() - from : length)};
}

} // namespace

DocumentMatches::DocumentMatches(const ScriptEditor& editor) : m_editor(editor)
{
    connect(editor.document(), &QTextDocument::contentsChange, this, &DocumentMatches::edited);
}

QString DocumentMatches::wholeEditorText(const ScriptEditor& editor, std::u16string_view& text)
{
    // A loaded script lies in the buffer as one stretch, which Save reads straight; so can
    // a search, sparing the copy that costs several times the search itself.
    const QTextDocument& document = *editor.document();
    const qsizetype length = document.characterCount() - 1;
    const auto& stretches = editor.wholeTextInPieces().knownStretches().stretches();
    QString buffer = QTextDocumentPrivate::get(&document)->buffer();
    if (document.isUndoRedoEnabled() && stretches.size() == 1 &&
        stretches.front().length == length && stretches.front().bufferFrom >= 0 &&
        stretches.front().bufferFrom + length <= buffer.size()) {
        text = viewOf(buffer, stretches.front().bufferFrom, length);
        return buffer;
    }
    QString copy = document.toRawText();
    text = viewOf(copy);
    return copy;
}

void DocumentMatches::follow(const TextSearch& search)
{
    m_search = search;
    m_following = true;
    findEverywhere();
    emit changed();
}

void DocumentMatches::stop()
{
    m_following = false;
    m_starts.clear();
    m_starts.shrink_to_fit();
}

void DocumentMatches::findEverywhere()
{
    m_starts.clear();
    std::u16string_view text;
    const QString holder = wholeEditorText(m_editor, text);
    m_search.findAll(text, 0, m_starts);
}

int DocumentMatches::firstFrom(int position) const
{
    return int(std::ranges::lower_bound(m_starts, position) - m_starts.begin());
}

int DocumentMatches::indexAt(int position) const
{
    const int index = firstFrom(position);
    return index < count() && m_starts[size_t(index)] == position ? index : -1;
}

void DocumentMatches::edited(int position, int removed, int added)
{
    if (!m_following)
        return;
    const int textLength = m_editor.document()->characterCount() - 1;
    // A change of most of the text (a load, Compile, Replace All) is searched whole, and
    // so is any change while a match could overlap another.
    if (m_search.empty() || m_search.overlapsItself() || added > textLength / 2) {
        findEverywhere();
        emit changed();
        return;
    }
    // A match depends on its characters and, for whole words, one each side: the ones
    // starting from `length` before the change to just after it are looked for again.
    const int length = this->length();
    const auto first = std::ranges::lower_bound(m_starts, position - length);
    const auto last = std::upper_bound(first, m_starts.end(), position + removed);
    for (auto start = last; start != m_starts.end(); ++start)
        *start += added - removed;
    const auto kept = m_starts.erase(first, last) - m_starts.begin();

    const int from = std::max(0, position - length - 1);
    const int to = std::min(textLength, position + added + length + 1);
    QTextCursor window(m_editor.document());
    window.setPosition(from);
    window.setPosition(to, QTextCursor::KeepAnchor);
    const QString text = window.selectedText();
    std::vector<int> found;
    m_search.findAll(viewOf(text), std::size_t(from), found);
    // Matches cannot overlap: each one found in the changed stretch is new.
    std::erase_if(found,
                  [&](int start) { return start < position - length || start > position + added; });
    m_starts.insert(m_starts.begin() + kept, found.begin(), found.end());
    emit changed();
}

} // namespace vantrel
