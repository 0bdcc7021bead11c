#include "BlockStates.h"

#include "EditorText.h"

#include <QTextDocument>
#include <algorithm>

namespace vantrel {
namespace {

// A block's user state: bits 0-1 its start state, bits 2-3 the start state its colours were
// made for (3: none), the rest the generation of problem marks they show. -1 is a new block.
constexpr int StateBits = 3;
constexpr int Unpainted = 3 << 2;

int userStateOf(const QTextBlock& block)
{
    const int state = block.userState();
    return state < 0 ? (Unpainted | StateBits) : state;
}

LexState startBits(const QTextBlock& block)
{
    return LexState(userStateOf(block) & StateBits);
}

int paintedKey(LexState start, unsigned generation)
{
    return int(((generation & 0x3FFFFFF) << 4) | (unsigned(start) << 2));
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
    block.setUserState((userStateOf(block) & ~StateBits) | int(state));
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
        setStart(block, before.isValid() ? ScanState(lexerView(before.text()), startBits(before))
                                         : LexState::Code);
    }
    for (int n = first; n <= newLast && block.isValid(); ++n, block = block.next())
        block.setUserState(userStateOf(block) | Unpainted);
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
        const LexState state = ScanState(lexerView(block.text()), startBits(block));
        block = block.next();
        if (m_known >= m_resync && startBits(block) == state) {
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
    return startBits(block);
}

bool BlockStates::isPainted(const QTextBlock& block, unsigned generation) const
{
    const int state = userStateOf(block);
    return (state & ~StateBits) == paintedKey(LexState(state & StateBits), generation);
}

void BlockStates::setPainted(QTextBlock& block, unsigned generation)
{
    const LexState start = startBits(block);
    block.setUserState(paintedKey(start, generation) | int(start));
}

} // namespace vantrel
