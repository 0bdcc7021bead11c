#pragma once

#include "script/ParameterText.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// The first line of the list of functions that the game's editing tools write.
inline constexpr std::string_view FunctionListFirstLine = "; AVAILABLE FUNCTIONS:";

// One line of the list: a function (or one overload of it) or an external global.
struct FunctionSignature
{
    std::string_view line;       // "(<void> ai_place <ai> <short>)"
    std::string_view returnType; // "void"
    std::string_view name;
    std::string_view parameters;  // " <ai> <short>": the rest of the line, unread
    std::string_view description; // its ';' lines, as written
    ArgumentRange arguments;      // of this line alone
};

// The functions and external globals of one game build, read from the list its tools
// write. Overloads of a name are merged into the union of their argument counts. What
// other code needs (the checks, colours, hover, completion) is plain: the signatures in
// file order, and a lookup by name.
class FunctionList
{
public:
    // Never fails: a line it cannot read is skipped and counted.
    static FunctionList Read(std::string text);

    const std::vector<FunctionSignature>& functions() const { return m_functions; }
    const std::vector<FunctionSignature>& globals() const { return m_globals; }
    std::size_t malformedLines() const { return m_malformed; }

    // A listed function: its argument counts with every overload merged, and its overloads
    // as indexes into functions(), in file order.
    struct Entry
    {
        std::string_view name;
        ArgumentRange arguments;
        std::span<const std::uint32_t> overloads;
    };
    // Every listed name once, in the order of its first line.
    const std::vector<Entry>& entries() const { return m_entries; }
    const Entry* find(std::u16string_view name) const;
    const Entry* find(std::string_view name) const;
    // An external global of that name, or null.
    const FunctionSignature* findGlobal(std::u16string_view name) const;

    // The parameters of one signature, read when asked for: loading a list only counts them.
    static std::vector<FunctionParameter> parametersOf(const FunctionSignature& s);
    // The description's lines without their ';', joined with '\n'.
    static std::string describe(const FunctionSignature& signature);

private:
    template <class Char> const Entry* lookup(std::basic_string_view<Char> name) const;
    // The signature read from the line, or null when it is not one.
    FunctionSignature* readLine(std::string_view line, bool globals);
    void index();

    std::unique_ptr<const std::string> m_text; // every view points into it
    std::vector<FunctionSignature> m_functions, m_globals;
    std::vector<Entry> m_entries;
    std::vector<std::uint32_t> m_overloads; // each entry's, one after the other
    struct Slot
    {
        std::int32_t entry; // in m_entries, -1 for empty
        std::uint32_t hash; // its name's, so that a probe seldom reads the entry
    };
    std::vector<Slot> m_slots; // open addressing
    std::size_t m_malformed = 0;
};

// "object_teleport takes 2 arguments, found 1"
std::string ArgumentCountMessage(std::string_view name, ArgumentRange range, std::size_t found);

} // namespace vantrel
