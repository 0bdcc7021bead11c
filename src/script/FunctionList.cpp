#include "script/FunctionList.h"

#include "script/ByteSearch.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>
#include <span>
#include <type_traits>

namespace vantrel {
namespace {

constexpr std::string_view GlobalsLine = "; AVAILABLE EXTERNAL GLOBALS:";

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// Four characters and the length, alike as bytes or as UTF-16: listed names share their
// starts ("object_", "ai_") but seldom their length, middle and end together, and a hash of
// every character would cost more than the rest of reading the list.
template <class Char> std::uint32_t hashOf(std::basic_string_view<Char> name)
{
    const std::size_t n = name.size();
    if (n == 0)
        return 0;
    const auto at = [&](std::size_t i) {
        return std::uint32_t(std::make_unsigned_t<Char>(name[i]));
    };
    const std::uint32_t mixed = (at(n - 1) | at(n / 2) << 8 | at(n - 1 - n / 4) << 16) ^
                                at(n / 4) << 24 ^ std::uint32_t(n) * 0x9E3779B1u;
    return (mixed * 0x85EBCA6Bu) ^ (mixed >> 13);
}

template <class Char> bool sameName(std::string_view listed, std::basic_string_view<Char> name)
{
    return listed.size() == name.size() &&
           std::equal(listed.begin(), listed.end(), name.begin(), [](char a, Char b) {
               return std::uint32_t(std::uint8_t(a)) ==
                      std::uint32_t(std::make_unsigned_t<Char>(b));
           });
}

std::string countWords(std::size_t n)
{
    if (n == 0)
        return "no arguments";
    return std::to_string(n) + (n == 1 ? " argument" : " arguments");
}

} // namespace

FunctionList FunctionList::Read(std::string text)
{
    FunctionList list;
    list.m_text = std::make_unique<const std::string>(std::move(text));
    const std::string_view all = *list.m_text;
    // Real lists spend a hundred bytes or more on each function.
    list.m_functions.reserve(all.size() / 160);
    bool globals = false;
    FunctionSignature* described = nullptr; // the entry the ';' lines below belong to
    const char* const end = all.data() + all.size();
    for (const char* at = all.data(); at < end;) {
        // Every other line is empty: no search for those.
        if (*at == '\n' || (*at == '\r' && at + 1 < end && at[1] == '\n')) {
            at += *at == '\r' ? 2 : 1;
            continue;
        }
        const char* lineEnd =
            static_cast<const char*>(std::memchr(at, '\n', std::size_t(end - at)));
        lineEnd = lineEnd ? lineEnd : end;
        const std::string_view line = trimmed({at, std::size_t(lineEnd - at)});
        at = lineEnd + 1;
        if (line.empty())
            continue;
        if (line.front() == ';') {
            if (line == GlobalsLine) {
                globals = true;
                described = nullptr;
            } else if (line == FunctionListFirstLine) {
                described = nullptr;
            } else if (described) {
                const char* from =
                    described->description.empty() ? line.data() : described->description.data();
                described->description = {from, std::size_t(line.data() + line.size() - from)};
            }
            continue;
        }
        described = list.readLine(line, globals);
        list.m_malformed += described == nullptr;
    }
    list.index();
    return list;
}

FunctionSignature* FunctionList::readLine(std::string_view line, bool globals)
{
    // (<type> name parameters...)
    if (line.size() < 2 || line.front() != '(' || line.back() != ')' || line[1] != '<')
        return nullptr;
    const std::size_t typeEnd = line.find('>');
    if (typeEnd == line.npos)
        return nullptr;
    std::size_t nameStart = typeEnd + 1;
    while (nameStart < line.size() && (line[nameStart] == ' ' || line[nameStart] == '\t'))
        ++nameStart;
    // The name ends at a space or a tab, or at the closing ')'.
    // Bytes past the line may be read: the whole list is in memory.
    const std::size_t readable = std::size_t(m_text->data() + m_text->size() - line.data());
    const std::size_t nameEnd =
        FirstOf<' ', '\t'>(line.substr(0, line.size() - 1), nameStart, readable);
    if (nameStart >= nameEnd)
        return nullptr;
    const std::string_view name = line.substr(nameStart, nameEnd - nameStart);
    if (name.front() == '<' || name.front() == '[' || name.front() == '(')
        return nullptr;
    const std::string_view parameters = line.substr(nameEnd, line.size() - 1 - nameEnd);
    const std::optional<ArgumentRange> arguments = CountParameters(parameters, readable - nameEnd);
    if (!arguments)
        return nullptr;
    const FunctionSignature signature{line,      line.substr(2, typeEnd - 2), name, parameters, {},
                                      *arguments};
    if (globals) {
        m_globals.push_back(signature);
        return &m_globals.back();
    }
    m_functions.push_back(signature);
    return &m_functions.back();
}

std::vector<FunctionParameter> FunctionList::parametersOf(const FunctionSignature& s)
{
    std::vector<FunctionParameter> parameters;
    ReadParameters(s.parameters, &parameters);
    return parameters;
}

// A hash table of the names with no allocation per name: the list is read on every load.
void FunctionList::index()
{
    m_slots.assign(std::bit_ceil(std::max<std::size_t>(32, m_functions.size())) * 2, Slot{-1, 0});
    const std::size_t mask = m_slots.size() - 1;
    m_entries.reserve(m_functions.size());
    std::vector<std::uint32_t> entryOf(m_functions.size()), counts;
    counts.reserve(m_functions.size());
    for (std::uint32_t i = 0; i < m_functions.size(); ++i) {
        const FunctionSignature& s = m_functions[i];
        const std::uint32_t hash = hashOf(s.name);
        std::size_t slot = hash & mask;
        while (m_slots[slot].entry >= 0 &&
               (m_slots[slot].hash != hash || m_entries[m_slots[slot].entry].name != s.name))
            slot = (slot + 1) & mask;
        if (m_slots[slot].entry < 0) {
            m_slots[slot] = {std::int32_t(m_entries.size()), hash};
            m_entries.push_back({s.name, s.arguments, {}});
            counts.push_back(0);
        }
        entryOf[i] = std::uint32_t(m_slots[slot].entry);
        Entry& entry = m_entries[entryOf[i]];
        entry.arguments.min = std::min(entry.arguments.min, s.arguments.min);
        entry.arguments.max = std::max(entry.arguments.max, s.arguments.max);
        ++counts[entryOf[i]];
    }
    // Each entry's overloads in file order, in one array.
    std::vector<std::uint32_t> next(m_entries.size());
    for (std::size_t e = 0, at = 0; e < m_entries.size(); at += counts[e++])
        next[e] = std::uint32_t(at);
    m_overloads.resize(m_functions.size());
    for (std::uint32_t i = 0; i < m_functions.size(); ++i)
        m_overloads[next[entryOf[i]]++] = i;
    for (std::size_t e = 0; e < m_entries.size(); ++e)
        m_entries[e].overloads = {m_overloads.data() + next[e] - counts[e], counts[e]};
}

template <class Char>
const FunctionList::Entry* FunctionList::lookup(std::basic_string_view<Char> name) const
{
    if (m_entries.empty())
        return nullptr;
    const std::size_t mask = m_slots.size() - 1;
    const std::uint32_t hash = hashOf(name);
    for (std::size_t slot = hash & mask; m_slots[slot].entry >= 0; slot = (slot + 1) & mask)
        if (m_slots[slot].hash == hash && sameName(m_entries[m_slots[slot].entry].name, name))
            return &m_entries[m_slots[slot].entry];
    return nullptr;
}

const FunctionList::Entry* FunctionList::find(std::u16string_view name) const
{
    return lookup(name);
}

const FunctionList::Entry* FunctionList::find(std::string_view name) const
{
    return lookup(name);
}

const FunctionSignature* FunctionList::findGlobal(std::u16string_view name) const
{
    const auto found = std::ranges::find_if(
        m_globals, [&](const FunctionSignature& g) { return sameName(g.name, name); });
    return found == m_globals.end() ? nullptr : &*found;
}

std::string FunctionList::describe(const FunctionSignature& signature)
{
    std::string text;
    std::string_view rest = signature.description;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        std::string_view line = trimmed(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (line.starts_with(';'))
            line = trimmed(line.substr(1));
        if (line.empty())
            continue;
        if (!text.empty())
            text += '\n';
        text += line;
    }
    return text;
}

std::string ArgumentCountMessage(std::string_view name, ArgumentRange range, std::size_t found)
{
    std::string takes;
    if (range.max == ArgumentRange::NoLimit)
        takes = "at least " + countWords(range.min);
    else if (range.min == range.max)
        takes = countWords(range.min);
    else
        takes = std::to_string(range.min) + " to " + countWords(range.max);
    return std::string(name) + " takes " + takes + ", found " + std::to_string(found);
}

} // namespace vantrel
