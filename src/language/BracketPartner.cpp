#include "language/BracketPartner.h"

#include "editor/EditorText.h"
#include "language/BlockStates.h"

#include <QTextBlock>
#include <vector>

namespace vantrel {
namespace {

int depthChange(const Token& token)
{
    return token.kind == TokenKind::Open ? 1 : token.kind == TokenKind::Close ? -1 : 0;
}

const Token* parenthesisAt(const std::vector<Token>& tokens, int column)
{
    for (const Token& token : tokens)
        if (int(token.offset) == column && depthChange(token) != 0)
            return &token;
    return nullptr;
}

std::optional<int> forward(QTextBlock block, std::vector<Token> tokens, std::size_t from,
                           LexState state, int reach)
{
    int depth = 0;
    for (int blocks = 0; blocks <= reach; ++blocks) {
        for (std::size_t i = from; i < tokens.size(); ++i)
            if ((depth += depthChange(tokens[i])) == 0)
                return block.position() + int(tokens[i].offset);
        block = block.next();
        if (!block.isValid())
            break;
        tokens = LexLine(lexerView(block.text()), state);
        from = 0;
    }
    return std::nullopt;
}

// Takes the tokens before `end` last to first, then the blocks before.
std::optional<int> backward(QTextBlock block, std::vector<Token> tokens, std::size_t end,
                            BlockStates& states, int reach)
{
    int depth = 0;
    for (int blocks = 0; blocks <= reach; ++blocks) {
        for (std::size_t i = end; i-- > 0;)
            if ((depth -= depthChange(tokens[i])) == 0)
                return block.position() + int(tokens[i].offset);
        block = block.previous();
        if (!block.isValid())
            break;
        LexState state = states.startOf(block);
        tokens = LexLine(lexerView(block.text()), state);
        end = tokens.size();
    }
    return std::nullopt;
}

} // namespace

std::optional<BracketPair> FindBracketPair(const QTextCursor& cursor, BlockStates& states,
                                           int reach)
{
    const QTextBlock block = cursor.block();
    const int column = cursor.positionInBlock();
    LexState state = states.startOf(block);
    const std::vector<Token> tokens = LexLine(lexerView(block.text()), state);
    const Token* token = parenthesisAt(tokens, column - 1);
    if (!token)
        token = parenthesisAt(tokens, column);
    if (!token)
        return std::nullopt;
    const std::size_t index = std::size_t(token - tokens.data());
    const std::optional<int> partner = token->kind == TokenKind::Open
                                           ? forward(block, tokens, index, state, reach)
                                           : backward(block, tokens, index + 1, states, reach);
    if (!partner)
        return std::nullopt;
    return BracketPair{block.position() + int(token->offset), *partner};
}

} // namespace vantrel
