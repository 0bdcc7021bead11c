#pragma once

#include "script/ScriptCheck.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace vantrel {

// A script or a global declared at the top level of a file. Its texts lie in the
// Declarations that hold it.
struct Declaration
{
    enum class Kind : std::uint8_t
    {
        Script,
        Global
    };
    Kind kind;
    std::u16string_view name;
    std::u16string_view type;       // the script type (`static`) or the global's value type
    std::u16string_view returnType; // a static or stub script's, when it has one
    ScriptChecker::Place place;     // of the name
};

// The scripts and globals of a text, in text order, with each kind's names found without
// regard to case. Their texts are kept in a few large blocks, not a string each: a level
// script declares thousands, read again after every check, and handing them on or letting
// them go must cost next to nothing. Moved, never copied: the texts stay where they are.
class Declarations
{
public:
    Declarations() = default;
    Declarations(Declarations&&) noexcept = default;
    Declarations& operator=(Declarations&&) noexcept = default;
    Declarations(const Declarations&) = delete;
    Declarations& operator=(const Declarations&) = delete;

    std::size_t size() const { return m_list.size(); }
    bool empty() const { return m_list.empty(); }
    std::vector<Declaration>::const_iterator begin() const { return m_list.begin(); }
    std::vector<Declaration>::const_iterator end() const { return m_list.end(); }
    const Declaration& operator[](std::size_t i) const { return m_list[i]; }

    // The script or global of that name that counts, the case aside: the first declared, or
    // the static that replaced a stub of the name. Null for none.
    const Declaration* find(Declaration::Kind kind, std::u16string_view name) const;
    bool declares(std::u16string_view name) const
    {
        return find(Declaration::Kind::Script, name) || find(Declaration::Kind::Global, name);
    }

    // A copy of the text that lives as long as these declarations.
    std::u16string_view keep(std::u16string_view text);
    // Adds a declaration whose texts were kept here; it is the one find() gives for its name
    // when none was, or when `counts` says it replaces the one that was.
    void add(const Declaration& declaration, bool counts);

private:
    std::size_t slotOf(Declaration::Kind kind, std::u16string_view name, std::uint32_t hash) const;
    void grow(Declaration::Kind kind);

    std::vector<Declaration> m_list;
    std::vector<std::uint32_t> m_hashes; // of each one's name
    std::vector<std::unique_ptr<char16_t[]>> m_blocks;
    std::size_t m_blockSize = 0, m_blockFree = 0; // the last block's characters, and those left
    // Open addressing, one table a kind: 1 + an index into m_list, 0 for an empty slot.
    std::array<std::vector<std::uint32_t>, 2> m_slots;
    std::array<std::size_t, 2> m_named{};
};

} // namespace vantrel
