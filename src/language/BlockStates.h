#pragma once

#include "script/ScriptLexer.h"

#include <QDeadlineTimer>
#include <QTextBlock>
#include <QTextBlockUserData>
#include <limits>
#include <optional>
#include <utility>

class QTextDocument;

namespace vantrel {

// What the language support keeps on one block: the lexer state it starts in, and which
// colours its layout holds. It lives on the block, so it moves with the block when lines
// are added or removed above it. A block without it is new: its start is not known.
struct BlockState : QTextBlockUserData
{
    LexState start = LexState::Code;
    // The start state and the generation of problem marks that the layout's colours were
    // made for; none when it holds no colours of ours.
    std::optional<std::pair<LexState, unsigned>> painted;
};

// The lexer state each block of a document starts in, and which colours its layout holds. Blocks
// before a watermark have right start states; the rest are worked out on demand, or ahead of need
// in small steps.
class BlockStates
{
public:
    explicit BlockStates(QTextDocument* document);

    // After an edit that replaced blocks first..oldLast with first..newLast.
    void replaced(int first, int oldLast, int newLast);
    LexState startOf(const QTextBlock& block);
    // Works out more start states, up to block number `until` at most, until the deadline;
    // true while some are still unknown.
    bool advance(QDeadlineTimer deadline, int until = std::numeric_limits<int>::max());
    bool complete() const;

    // Takes every block's state off the document: the text is plain again.
    void clear();
    // Whether the block's layout holds the colours for its start state in this generation
    // of problem marks.
    bool isPainted(const QTextBlock& block, unsigned generation) const;
    void setPainted(QTextBlock& block, unsigned generation);

private:
    void setStart(QTextBlock& block, LexState state);

    QTextDocument* m_document;
    // Blocks before m_known start in the state they hold. From m_resync on they hold the
    // states of an earlier text that is unchanged from there on: once one of them agrees
    // with the state worked out, all the rest are right again. Those between hold nothing.
    int m_known = 1;
    int m_resync = 1;
};

} // namespace vantrel
