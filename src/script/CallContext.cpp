#include "script/CallContext.h"

#include <vector>

namespace vantrel {

std::optional<CallContext> FindCallContext(std::u16string_view text, LexState start)
{
    struct Form
    {
        std::size_t headOffset = 0, headLength = 0; // no length: the head is not a word
        std::size_t elements = 0;
    };
    std::vector<Form> forms;
    Lexer lexer(text, start);
    std::optional<Token> last;
    while (const std::optional<Token> token = lexer.next()) {
        last = token;
        switch (token->kind) {
        case TokenKind::Open:
            if (!forms.empty())
                ++forms.back().elements;
            forms.emplace_back();
            break;
        case TokenKind::Close:
            if (!forms.empty())
                forms.pop_back();
            break;
        case TokenKind::Word:
        case TokenKind::Number:
        case TokenKind::String:
            if (forms.empty())
                break;
            if (forms.back().elements++ == 0 && token->kind == TokenKind::Word)
                forms.back() = {token->offset, token->length, 1};
            break;
        default:
            break;
        }
    }
    if (forms.empty() || forms.back().headLength == 0 || !last)
        return std::nullopt;
    const bool atEnd = last->offset + last->length == text.size();
    if (atEnd && (last->kind == TokenKind::Comment || last->kind == TokenKind::BlockComment))
        return std::nullopt;
    // Right after a word, number or string the cursor is still in it.
    const bool inElement =
        atEnd && (last->kind == TokenKind::Word || last->kind == TokenKind::Number ||
                  last->kind == TokenKind::String);
    const std::size_t current = forms.back().elements - (inElement ? 1 : 0);
    if (current == 0)
        return std::nullopt;
    return CallContext{forms.back().headOffset, forms.back().headLength, current - 1};
}

} // namespace vantrel
