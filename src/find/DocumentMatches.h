#pragma once

#include "find/TextSearch.h"

#include <QObject>
#include <vector>

namespace vantrel {

class ScriptEditor;

// Every match of a search in an editor's text, in order, kept up to date as the text
// changes while it is followed: an edit looks again only around itself, so a keystroke
// costs what the lines it touched cost, however long the script.
class DocumentMatches : public QObject
{
    Q_OBJECT

public:
    explicit DocumentMatches(const ScriptEditor& editor);

    // Looks for search in the whole text, and follows the text's changes from then on.
    void follow(const TextSearch& search);
    // Stops following: the matches are forgotten until the next follow().
    void stop();
    bool following() const { return m_following; }

    const TextSearch& search() const { return m_search; }
    const std::vector<int>& starts() const { return m_starts; }
    int count() const { return int(m_starts.size()); }
    int length() const { return int(m_search.length()); }
    // The index of the first match that starts at or after position; count() when none.
    int firstFrom(int position) const;
    // The index of the match that starts at position, or -1.
    int indexAt(int position) const;

    // The editor's text in one piece, found without a copy where the document's buffer
    // holds it unbroken, as after a load; else copied out.
    static QString wholeEditorText(const ScriptEditor& editor, std::u16string_view& text);

signals:
    void changed();

private:
    void edited(int position, int removed, int added);
    void findEverywhere();

    const ScriptEditor& m_editor;
    TextSearch m_search;
    std::vector<int> m_starts;
    bool m_following = false;
};

} // namespace vantrel
