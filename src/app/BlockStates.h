#pragma once

#include "ScriptLexer.h"

#include <QDeadlineTimer>
#include <QTextBlock>
#include <limits>

class QTextDocument;

namespace vantrel {

// The lexer state each block of a document starts in, and which colours its layout holds.
// Both live in the block's user state, so they move with the block when lines are added
// or removed above it. Blocks before a watermark have right start states; the rest are
// worked out on demand, or ahead of need in small steps.
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
