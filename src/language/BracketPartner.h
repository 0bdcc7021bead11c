#pragma once

#include <QTextCursor>
#include <optional>

namespace vantrel {

class BlockStates;

struct BracketPair
{
    int at;      // the parenthesis beside the cursor
    int partner; // the one that closes or opens it
};

// The parenthesis just before the cursor, or else the one just after it, with its partner
// no more than `reach` blocks away. None when the cursor is beside no parenthesis (one in a
// string or a comment is text) or the partner is missing.
std::optional<BracketPair> FindBracketPair(const QTextCursor& cursor, BlockStates& states,
                                           int reach);

} // namespace vantrel
