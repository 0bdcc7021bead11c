#pragma once

#include "language/BlockStates.h"
#include "language/BracketPartner.h"

#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QTextDocument;

namespace vantrel {

class FunctionList;
class ProblemMarks;

// Colours a script in the editor's own document without a QSyntaxHighlighter, which would
// pass over every block of a long text on each load and on a keystroke that opens a
// block comment. Only the blocks the editor asks for get colours, set on their layouts
// (never in the document, so neither Undo nor the text sees them); each starts from its
// state in BlockStates, which works out the rest of the document in small idle steps.
//
// A long line (decompiled scripts have lines of 8,000 characters), or lines joined by the
// stand-ins for line ends other than the text's own, is one long block. New colours make
// its layout be made again, which costs as much as a keystroke in it, and colours on a
// whole long block cost many times that; so such a block gets colours only on the lines
// around the view, and new ones only with an edit, a new check, or once scrolling pauses.
class ScriptHighlighter : public QObject
{
    Q_OBJECT

public:
    ScriptHighlighter(QTextDocument* document, const ProblemMarks& marks);

    // To be called from the document's contentsChange, before the layout sees the change.
    void contentsChanged(int position, int removed, int added);
    // The characters of a block in view, [first, second); empty when not known.
    using VisibleText = std::function<std::pair<int, int>(const QTextBlock&)>;
    // Colours the blocks from `first` on, `count` at most, that lack their colours. Long
    // blocks only if `longBlocks`; otherwise the call says whether one is waiting.
    bool colour(QTextBlock first, int count, const VisibleText& visible, bool longBlocks);
    // The problem marks moved: every block needs colours again.
    void marksChanged() { ++m_generation; }

    // The parenthesis beside the cursor and its partner, no more than `reach` blocks away.
    std::optional<BracketPair> bracketPairAt(const QTextCursor& cursor, int reach);
    // Takes the colours and the block states off the document: the text is plain again.
    void clear();
    // Functions of this list get a colour of their own; null for none. Colours already set
    // stay until marksChanged().
    void setFunctions(const FunctionList* functions) { m_functions = functions; }
    const FunctionList* functions() const { return m_functions; }
    // The lexer state a block starts in.
    LexState startOf(const QTextBlock& block) { return m_states.startOf(block); }

private:
    // The stretch of a long block that holds colours.
    struct Window
    {
        QTextBlock block;
        int length, from, to;
    };

    bool needsColour(const QTextBlock& block, std::pair<int, int> visible) const;
    void colourBlock(QTextBlock& block, LexState start, int from, int to);
    void workAhead();
    void dropGlyphs();

    QTextDocument* m_document;
    const ProblemMarks& m_marks;
    const FunctionList* m_functions = nullptr;
    BlockStates m_states;
    unsigned m_generation = 1;
    int m_blockCount;
    std::vector<Window> m_windows;
    std::deque<QTextBlock> m_keepingGlyphs; // oldest first
    std::pair<int, int> m_view{0, 0};       // the first block number in view, and how many
    QTimer m_idle;
};

} // namespace vantrel
