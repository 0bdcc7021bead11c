#include "script/ParameterText.h"

#include "script/ByteSearch.h"

namespace vantrel {
namespace {

std::optional<ArgumentRange> read(std::string_view text, std::size_t readable,
                                  std::vector<FunctionParameter>* out)
{
    const std::size_t n = text.size();
    std::size_t count = 0, required = 0;
    bool unbounded = false;
    int optionalDepth = 0;
    const auto add = [&](std::string_view parameter, bool repeated) {
        ++count;
        required += optionalDepth == 0;
        unbounded |= repeated;
        if (out)
            out->push_back({parameter, optionalDepth > 0, repeated});
    };
    for (std::size_t at = 0;;) {
        while (at < n && (text[at] == ' ' || text[at] == '\t'))
            ++at;
        if (at == n)
            break;
        const char c = text[at];
        if (c == '<') {
            // A type holds no brackets of its own.
            const std::size_t close = FirstOf<'>', '<', '[', ']'>(text, at + 1, readable);
            if (close == n || text[close] != '>')
                return std::nullopt;
            const std::string_view type = text.substr(at, close + 1 - at);
            add(type, type.ends_with("(s)>"));
            at = close + 1;
        } else if (c == '[') {
            ++optionalDepth;
            ++at;
        } else if (c == ']') {
            if (optionalDepth-- == 0)
                return std::nullopt;
            ++at;
        } else if (c == '(') {
            int depth = 0;
            std::size_t close = at;
            for (; close < n; ++close) {
                if (text[close] == '(')
                    ++depth;
                else if (text[close] == ')' && --depth == 0)
                    break;
            }
            if (close == n)
                return std::nullopt;
            add(text.substr(at, close + 1 - at), false);
            at = close + 1;
        } else if (c == '.' && count > 0 && text.substr(at, 3) == "...") {
            unbounded = true;
            if (out)
                out->back().repeated = true;
            at += 3;
        } else {
            return std::nullopt;
        }
    }
    if (optionalDepth != 0)
        return std::nullopt;
    return ArgumentRange{required, unbounded ? ArgumentRange::NoLimit : count};
}

} // namespace

std::optional<ArgumentRange> ReadParameters(std::string_view text,
                                            std::vector<FunctionParameter>* out)
{
    return read(text, text.size(), out);
}

std::optional<ArgumentRange> CountParameters(std::string_view text, std::size_t readable)
{
    return read(text, readable, nullptr);
}

} // namespace vantrel
