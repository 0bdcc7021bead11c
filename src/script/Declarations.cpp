#include "script/Declarations.h"

#include <algorithm>
#include <cstring>

namespace vantrel {
namespace {

constexpr std::size_t BlockSize = 1 << 15;

// Names are compared without regard to case; they are ASCII in practice, and any other
// character is compared as it is.
char16_t folded(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

std::uint32_t hashOf(std::u16string_view name)
{
    std::uint32_t hash = 2166136261u;
    for (char16_t c : name)
        hash = (hash ^ folded(c)) * 16777619u;
    return hash;
}

bool sameName(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return folded(x) == folded(y); });
}

std::size_t kindIndex(Declaration::Kind kind)
{
    return kind == Declaration::Kind::Script ? 0 : 1;
}

} // namespace

std::u16string_view Declarations::keep(std::u16string_view text)
{
    if (text.empty())
        return {};
    if (text.size() > m_blockFree) {
        m_blockSize = std::max(BlockSize, text.size());
        m_blocks.push_back(std::make_unique_for_overwrite<char16_t[]>(m_blockSize));
        m_blockFree = m_blockSize;
    }
    char16_t* at = m_blocks.back().get() + (m_blockSize - m_blockFree);
    std::copy(text.begin(), text.end(), at);
    m_blockFree -= text.size();
    return {at, text.size()};
}

std::size_t Declarations::slotOf(Declaration::Kind kind, std::u16string_view name,
                                 std::uint32_t hash) const
{
    const std::vector<std::uint32_t>& slots = m_slots[kindIndex(kind)];
    const std::size_t mask = slots.size() - 1;
    std::size_t slot = hash & mask;
    while (slots[slot] != 0 &&
           (m_hashes[slots[slot] - 1] != hash || !sameName(m_list[slots[slot] - 1].name, name)))
        slot = (slot + 1) & mask;
    return slot;
}

const Declaration* Declarations::find(Declaration::Kind kind, std::u16string_view name) const
{
    if (m_slots[kindIndex(kind)].empty())
        return nullptr;
    const std::uint32_t found = m_slots[kindIndex(kind)][slotOf(kind, name, hashOf(name))];
    return found == 0 ? nullptr : &m_list[found - 1];
}

// Twice the slots, each name placed again by the hash kept for it: no name is read.
void Declarations::grow(Declaration::Kind kind)
{
    std::vector<std::uint32_t>& slots = m_slots[kindIndex(kind)];
    std::vector<std::uint32_t> old(std::max<std::size_t>(64, slots.size() * 2), 0);
    old.swap(slots);
    const std::size_t mask = slots.size() - 1;
    for (std::uint32_t entry : old) {
        if (entry == 0)
            continue;
        std::size_t slot = m_hashes[entry - 1] & mask;
        while (slots[slot] != 0)
            slot = (slot + 1) & mask;
        slots[slot] = entry;
    }
}

void Declarations::add(const Declaration& declaration, bool counts)
{
    const std::size_t kind = kindIndex(declaration.kind);
    if ((m_named[kind] + 1) * 2 > m_slots[kind].size())
        grow(declaration.kind);
    const std::uint32_t hash = hashOf(declaration.name);
    std::uint32_t& slot = m_slots[kind][slotOf(declaration.kind, declaration.name, hash)];
    m_list.push_back(declaration);
    m_hashes.push_back(hash);
    if (slot == 0)
        ++m_named[kind];
    if (slot == 0 || counts)
        slot = std::uint32_t(m_list.size());
}

} // namespace vantrel
