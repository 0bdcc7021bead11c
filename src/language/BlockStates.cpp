#include "language/BlockStates.h"

#include "editor/EditorText.h"

#include <QTextDocument>
#include <algorithm>

namespace vantrel {
namespace {

BlockState* stateOf(const QTextBlock& block)
{
    return static_cast<BlockState*>(block.userData());
}

BlockState& ensureState(QTextBlock& block)
{
    BlockState* state = stateOf(block);
    if (!state) {
        state = new BlockState;
        block.setUserData(state); // the block owns it
    }
    return *state;
}

// A new block has no start yet, and matches no state worked out for it.
std::optional<LexState> knownStart(const QTextBlock& block)
{
    const BlockState* state = stateOf(block);
    return state ? std::optional(state->start) : std::nullopt;
}

LexState startOf(const QTextBlock& block)
{
    return knownStart(block).value_or(LexState::Code);
}

} // namespace

BlockStates::BlockStates(QTextDocument* document) : m_document(document)
{
    QTextBlock first = document->firstBlock();
    setStart(first, LexState::Code);
    m_resync = document->blockCount();
}

void BlockStates::setStart(QTextBlock& block, LexState state)
{
    ensureState(block).start = state;
}

void BlockStates::clear()
{
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next())
        block.setUserData(nullptr);
}

void BlockStates::replaced(int first, int oldLast, int newLast)
{
    const int delta = newLast - oldLast;
    const int resync = m_resync > oldLast ? m_resync + delta : m_resync;
    // States after the edit that were right are right again once one of them agrees, as
    // long as no stretch that holds nothing lies between them and the end.
    m_resync =
        m_known > oldLast + 1 && m_known == m_resync ? newLast + 1 : std::max(newLast + 1, resync);
    m_known = std::min(m_known, first + 1);
    const int count = m_document->blockCount();
    m_resync = std::min(m_resync, count);
    m_known = std::min(m_known, count);

    // The edited blocks need new colours; the first keeps its start state, but a split may
    // have given it a new user state, so it is worked out again from the block before.
    QTextBlock block = m_document->findBlockByNumber(first);
    if (first < m_known) {
        const QTextBlock before = block.previous();
        setStart(block, before.isValid() ? ScanState(lexerView(before.text()), startOf(before))
                                         : LexState::Code);
    }
    for (int n = first; n <= newLast && block.isValid(); ++n, block = block.next())
        if (BlockState* state = stateOf(block))
            state->painted.reset();
}

bool BlockStates::complete() const
{
    return m_known >= m_document->blockCount();
}

bool BlockStates::advance(QDeadlineTimer deadline, int until)
{
    const int count = m_document->blockCount();
    QTextBlock block = m_document->findBlockByNumber(m_known - 1);
    for (int steps = 1; m_known < count && m_known <= until; ++steps) {
        const LexState state = ScanState(lexerView(block.text()), startOf(block));
        block = block.next();
        if (m_known >= m_resync && knownStart(block) == state) {
            m_known = m_resync = count;
            break;
        }
        setStart(block, state);
        ++m_known;
        if (steps % 16 == 0 && deadline.hasExpired())
            break;
    }
    return m_known < count;
}

LexState BlockStates::startOf(const QTextBlock& block)
{
    const int number = block.blockNumber();
    if (number >= m_known)
        advance(QDeadlineTimer(QDeadlineTimer::Forever), number);
    return vantrel::startOf(block);
}

bool BlockStates::isPainted(const QTextBlock& block, unsigned generation) const
{
    const BlockState* state = stateOf(block);
    return state && state->painted == std::pair(state->start, generation);
}

void BlockStates::setPainted(QTextBlock& block, unsigned generation)
{
    BlockState& state = ensureState(block);
    state.painted = std::pair(state.start, generation);
}

} // namespace vantrel
