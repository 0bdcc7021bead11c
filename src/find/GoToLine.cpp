#include "find/GoToLine.h"

#include "script/ScriptLexer.h"

#include <QChar>
#include <QStringView>
#include <limits>

namespace vantrel {
namespace {

// A run of ASCII digits from `at`; a value too large to hold stays at the largest.
std::optional<long long> number(QStringView text, qsizetype& at)
{
    const qsizetype start = at;
    long long value = 0;
    constexpr long long Largest = std::numeric_limits<long long>::max();
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        const int digit = text[at].unicode() - u'0';
        value = value > (Largest - digit) / 10 ? Largest : value * 10 + digit;
    }
    if (at == start)
        return std::nullopt;
    return value;
}

void skipSpaces(QStringView text, qsizetype& at)
{
    while (at < text.size() && text[at].isSpace())
        ++at;
}

} // namespace

std::optional<LineColumn> parseLineColumn(const QString& typed)
{
    const QStringView text(typed);
    qsizetype at = 0;
    skipSpaces(text, at);
    LineColumn place;
    const auto line = number(text, at);
    if (!line || *line < 1)
        return std::nullopt;
    place.line = *line;
    skipSpaces(text, at);
    if (at < text.size() && text[at] == u':') {
        ++at;
        skipSpaces(text, at);
        if (const auto column = number(text, at)) {
            if (*column < 1)
                return std::nullopt;
            place.column = *column;
            skipSpaces(text, at);
            if (at < text.size() && text[at] == u':')
                ++at;
        }
    }
    skipSpaces(text, at);
    if (at != text.size())
        return std::nullopt;
    return place;
}

int positionOf(std::u16string_view text, LineColumn place)
{
    std::size_t lineStart = 0;
    for (long long line = 1; line < place.line; ++line) {
        std::size_t end = lineStart;
        while (end < text.size() && !IsLineEnd(text[end]))
            ++end;
        if (end == text.size())
            break; // past the end: the last line
        lineStart = end + 1;
    }
    std::size_t at = lineStart;
    for (long long column = 1; column < place.column && at < text.size() && !IsLineEnd(text[at]);
         ++column)
        at += QChar::isHighSurrogate(text[at]) && at + 1 < text.size() &&
                      QChar::isLowSurrogate(text[at + 1])
                  ? 2
                  : 1;
    return int(at);
}

} // namespace vantrel
