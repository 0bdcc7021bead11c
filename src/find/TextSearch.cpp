#include "find/TextSearch.h"

#include "editor/EditorText.h"
#include "script/ScriptLexer.h"

#include <QChar>
#include <algorithm>
#include <functional>

namespace vantrel {
namespace {

// Case folding a character at a time, with ASCII, nearly all of a script, kept inline.
char16_t folded(char16_t c)
{
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
    return QChar::toCaseFolded(c);
}

struct FoldedHash
{
    std::size_t operator()(char16_t c) const { return std::hash<char16_t>{}(folded(c)); }
};

struct FoldedEqual
{
    bool operator()(char16_t a, char16_t b) const { return a == b || folded(a) == folded(b); }
};

template <class Searcher>
void collect(const Searcher& searcher, std::u16string_view text, std::size_t length,
             const std::function<bool(std::size_t)>& found)
{
    // Matches do not overlap: the next is looked for after the end of the last, as a
    // replacement would go; after a hit that is not a whole word, from its next character.
    for (auto at = text.begin();;) {
        const auto hit = searcher(at, text.end()).first;
        if (hit == text.end())
            return;
        at = hit + (found(std::size_t(hit - text.begin())) ? std::ptrdiff_t(length) : 1);
    }
}

} // namespace

bool isWordCharacter(char16_t c)
{
    return c == u'_' || QChar(c).isLetterOrNumber() || QChar::isSurrogate(c);
}

TextSearch::TextSearch(const QString& pattern, FindOptions options) : m_options(options)
{
    const QString mapped = toEditorText(pattern);
    m_pattern.assign(lexerView(mapped));
    // A line end cannot be typed into the find field; one pasted there finds nothing.
    if (std::ranges::any_of(m_pattern, IsLineEnd))
        m_pattern.clear();
    const std::u16string_view text(m_pattern);
    for (std::size_t border = 1; border < text.size() && !m_overlapsItself; ++border)
        m_overlapsItself =
            options.matchCase
                ? text.substr(0, border) == text.substr(text.size() - border)
                : std::ranges::equal(text.substr(0, border), text.substr(text.size() - border),
                                     FoldedEqual{});
}

bool TextSearch::standsAlone(std::u16string_view text, std::size_t at) const
{
    const std::size_t end = at + m_pattern.size();
    // Only a word's own edges need a break beside them: "(set" matches in "((set x".
    const bool startsWord = isWordCharacter(m_pattern.front());
    const bool endsWord = isWordCharacter(m_pattern.back());
    return !(startsWord && at > 0 && isWordCharacter(text[at - 1])) &&
           !(endsWord && end < text.size() && isWordCharacter(text[end]));
}

void TextSearch::findAll(std::u16string_view text, std::size_t base, std::vector<int>& starts) const
{
    if (m_pattern.empty() || text.size() < m_pattern.size())
        return;
    const auto found = [&](std::size_t at) {
        if (m_options.wholeWord && !standsAlone(text, at))
            return false;
        starts.push_back(int(base + at));
        return true;
    };
    if (m_options.matchCase)
        collect(std::boyer_moore_horspool_searcher(m_pattern.begin(), m_pattern.end()), text,
                m_pattern.size(), found);
    else
        collect(std::boyer_moore_horspool_searcher(m_pattern.begin(), m_pattern.end(), FoldedHash{},
                                                   FoldedEqual{}),
                text, m_pattern.size(), found);
}

} // namespace vantrel
