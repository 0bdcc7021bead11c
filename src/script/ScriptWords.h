#pragma once

#include <cstdint>
#include <string_view>

namespace vantrel {

// The words the editor sets apart: those that open a form, the kinds of script, the calls
// that composed scripts make, and the two truth values.
enum class WordKind : std::uint8_t
{
    Other,
    FormOpener,
    ScriptKind,
    Call,
    Truth
};

WordKind ClassifyWord(std::u16string_view word);

// The forms of the language itself (begin, if, cond, set, sleep_until, script, ...): they
// follow the language's own rules, whatever a function list says of them.
bool IsLanguageForm(std::u16string_view word);

} // namespace vantrel
