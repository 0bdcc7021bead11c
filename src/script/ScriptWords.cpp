#include "script/ScriptWords.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace vantrel {

WordKind ClassifyWord(std::u16string_view word)
{
    using Entry = std::pair<std::u16string_view, WordKind>;
    static constexpr std::array<Entry, 21> Words{{
        {u"script", WordKind::FormOpener},
        {u"global", WordKind::FormOpener},
        {u"if", WordKind::FormOpener},
        {u"cond", WordKind::FormOpener},
        {u"begin", WordKind::FormOpener},
        {u"set", WordKind::FormOpener},
        {u"and", WordKind::FormOpener},
        {u"or", WordKind::FormOpener},
        {u"not", WordKind::FormOpener},
        {u"sleep", WordKind::FormOpener},
        {u"sleep_until", WordKind::FormOpener},
        {u"wake", WordKind::FormOpener},
        {u"startup", WordKind::ScriptKind},
        {u"dormant", WordKind::ScriptKind},
        {u"continuous", WordKind::ScriptKind},
        {u"static", WordKind::ScriptKind},
        {u"stub", WordKind::ScriptKind},
        {u"volume_test_object", WordKind::Call},
        {u"object_teleport", WordKind::Call},
        {u"true", WordKind::Truth},
        {u"false", WordKind::Truth},
    }};
    // Longer words than any listed are common (object names): skip them without comparing.
    if (word.size() > 18)
        return WordKind::Other;
    const auto found =
        std::find_if(Words.begin(), Words.end(), [&](const Entry& e) { return e.first == word; });
    return found == Words.end() ? WordKind::Other : found->second;
}

bool IsLanguageForm(std::u16string_view word)
{
    static constexpr std::u16string_view More[] = {u"begin_random", u"sleep_forever"};
    const WordKind kind = ClassifyWord(word);
    return kind == WordKind::FormOpener || kind == WordKind::ScriptKind ||
           std::ranges::find(More, word) != std::end(More);
}

} // namespace vantrel
