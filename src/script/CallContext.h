#pragma once

#include "script/ScriptLexer.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace vantrel {

// The call whose arguments a cursor is among: what signature help shows.
struct CallContext
{
    std::size_t nameOffset; // the head word of the innermost open form
    std::size_t nameLength;
    std::size_t argument; // the argument the cursor is in or before, from 0
};

// The innermost form still open at the end of `text` (lexed from `start`), when its head
// is a word and the end is past that word; none in a comment or at the head itself.
std::optional<CallContext> FindCallContext(std::u16string_view text,
                                           LexState start = LexState::Code);

} // namespace vantrel
