#include "script/FunctionList.h"

#include <algorithm>
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

// A few characters and the length, alike as bytes or as UTF-16: listed names share their
// starts ("object_", "ai_") but seldom their length, middle and end together, and a hash of
// every character would cost more than the rest of reading the list.
template <class Char> std::uint32_t hashOf(std::basic_string_view<Char> name)
{
    const auto at = [&](std::size_t i) {
        return std::uint32_t(std::make_unsigned_t<Char>(name[i]));
    };
    const std::size_t n = name.size();
    if (n == 0)
        return 0;
    std::uint32_t hash = std::uint32_t(n) * 0x9E3779B1u;
    for (std::size_t i :
         {n - 1, n / 2, n > 1 ? n - 2 : 0, n / 3, n > 2 ? n - 3 : 0, std::size_t(0)})
        hash = (hash ^ at(i)) * 16777619u;
    return hash ^ (hash >> 15);
}

template <class Char> bool sameName(std::string_view listed, std::basic_string_view<Char> name)
{
    return listed.size() == name.size() &&
           std::equal(listed.begin(), listed.end(), name.begin(), [](char a, Char b) {
               return std::uint32_t(std::uint8_t(a)) ==
                      std::uint32_t(std::make_unsigned_t<Char>(b));
           });
}

// Reads the parameters of a line: <x>, <x(s)>, [...] around optional ones (nested too), and
// (...) groups as one parameter each. False when the shape is not one of those.
class ParameterReader
{
public:
    ParameterReader(std::string_view text, std::vector<FunctionParameter>& out)
        : m_text(text), m_out(out), m_first(out.size())
    {
    }

    bool read(bool optional, char closer)
    {
        for (;;) {
            while (m_at < m_text.size() && (m_text[m_at] == ' ' || m_text[m_at] == '\t'))
                ++m_at;
            if (m_at == m_text.size())
                return closer == 0;
            const char c = m_text[m_at];
            if (c == closer) {
                ++m_at;
                return true;
            }
            if (c == '.' && m_text.substr(m_at).starts_with("...")) {
                // "[(<a> <b>) [...]]": the parameter before may come again and again.
                if (m_out.size() == m_first)
                    return false;
                m_out.back().repeated = true;
                m_at += 3;
            } else if (c == '[') {
                ++m_at;
                if (!read(true, ']'))
                    return false;
            } else if (c == '<' || c == '(') {
                // A type holds no brackets of its own.
                const std::optional<std::size_t> end = c == '<' ? closingAngle() : matching(c, ')');
                if (!end)
                    return false;
                const std::string_view text = m_text.substr(m_at, *end - m_at);
                m_out.push_back({text, optional, c == '<' && text.ends_with("(s)>")});
                m_at = *end;
            } else {
                return false;
            }
        }
    }

private:
    // Types are short: one loop beats three searches.
    std::optional<std::size_t> closingAngle() const
    {
        for (std::size_t at = m_at + 1; at < m_text.size(); ++at) {
            const char c = m_text[at];
            if (c == '>')
                return at + 1;
            if (c == '<' || c == '[' || c == ']')
                break;
        }
        return std::nullopt;
    }

    // Just past the closer that matches the opener at m_at.
    std::optional<std::size_t> matching(char opener, char closer) const
    {
        int depth = 0;
        for (std::size_t at = m_at; at < m_text.size(); ++at) {
            if (m_text[at] == opener)
                ++depth;
            else if (m_text[at] == closer && --depth == 0)
                return at + 1;
        }
        return std::nullopt;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    std::vector<FunctionParameter>& m_out;
    std::size_t m_first;
};

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
    list.m_parameters.reserve(all.size() / 80);
    bool globals = false;
    FunctionSignature* described = nullptr; // the entry the ';' lines below belong to
    for (std::size_t at = 0; at < all.size();) {
        const std::size_t end = std::min(all.find('\n', at), all.size());
        const std::string_view line = trimmed(all.substr(at, end - at));
        at = end + 1;
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
        const std::size_t before = list.m_functions.size() + list.m_globals.size();
        list.readLine(line, globals);
        if (list.m_functions.size() + list.m_globals.size() == before) {
            ++list.m_malformed;
            described = nullptr;
        } else {
            described = globals ? &list.m_globals.back() : &list.m_functions.back();
        }
    }
    list.index();
    return list;
}

void FunctionList::readLine(std::string_view line, bool globals)
{
    // (<type> name parameters...)
    if (line.size() < 2 || line.front() != '(' || line.back() != ')' || line[1] != '<')
        return;
    // Plain loops: find_first_of() looks each character up with a call of its own.
    const std::size_t typeEnd = line.find('>');
    if (typeEnd == line.npos)
        return;
    std::size_t nameStart = typeEnd + 1;
    while (nameStart < line.size() && (line[nameStart] == ' ' || line[nameStart] == '\t'))
        ++nameStart;
    // The name ends at a space or a tab, or at the closing ')'; memchr beats a loop over
    // each byte.
    std::size_t nameEnd = std::min(line.find(' ', nameStart), line.size() - 1);
    nameEnd = std::min(nameEnd, line.substr(0, nameEnd).find('\t', nameStart));
    if (nameStart >= nameEnd)
        return;
    const std::string_view name = line.substr(nameStart, nameEnd - nameStart);
    if (name.front() == '<' || name.front() == '[' || name.front() == '(')
        return;
    const std::size_t first = m_parameters.size();
    ParameterReader reader(line.substr(nameEnd, line.size() - 1 - nameEnd), m_parameters);
    if (!reader.read(false, 0)) {
        m_parameters.resize(first);
        return;
    }
    FunctionSignature signature{line,  line.substr(2, typeEnd - 2), name,
                                first, m_parameters.size() - first, {}};
    (globals ? m_globals : m_functions).push_back(signature);
}

ArgumentRange FunctionList::argumentsOf(const FunctionSignature& s, const FunctionParameter* params)
{
    ArgumentRange range;
    for (const FunctionParameter& p : std::span(params, s.parameterCount)) {
        if (!p.optional)
            ++range.min;
        if (p.repeated)
            range.max = ArgumentRange::NoLimit;
        else if (range.max != ArgumentRange::NoLimit)
            ++range.max;
    }
    return range;
}

// A hash table of the names with no allocation per name: the list is read on every load.
void FunctionList::index()
{
    std::size_t size = 64;
    while (size < m_functions.size() * 2)
        size *= 2;
    m_slots.assign(size, -1);
    m_entries.reserve(m_functions.size());
    std::vector<std::uint32_t> entryOf(m_functions.size()), counts;
    counts.reserve(m_functions.size());
    for (std::uint32_t i = 0; i < m_functions.size(); ++i) {
        const FunctionSignature& s = m_functions[i];
        const ArgumentRange range = argumentsOf(s, parametersOf(s));
        std::size_t slot = hashOf(s.name) & (size - 1);
        while (m_slots[slot] >= 0 && m_entries[m_slots[slot]].name != s.name)
            slot = (slot + 1) & (size - 1);
        if (m_slots[slot] < 0) {
            m_slots[slot] = std::int32_t(m_entries.size());
            m_entries.push_back({s.name, range, {}});
            counts.push_back(0);
        }
        Entry& entry = m_entries[m_slots[slot]];
        entry.arguments.min = std::min(entry.arguments.min, range.min);
        entry.arguments.max = std::max(entry.arguments.max, range.max);
        entryOf[i] = std::uint32_t(m_slots[slot]);
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
    if (m_slots.empty())
        return nullptr;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hashOf(name) & mask; m_slots[slot] >= 0; slot = (slot + 1) & mask)
        if (sameName(m_entries[m_slots[slot]].name, name))
            return &m_entries[m_slots[slot]];
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
