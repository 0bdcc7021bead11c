#pragma once

#include <QString>
#include <cstddef>
#include <string_view>
#include <vector>

namespace vantrel {

struct FindOptions
{
    bool matchCase = false;
    bool wholeWord = false;
};

// Finds a word or phrase in the editor's text. The pattern holds no line end, so a match
// never reaches across one, whichever line ends the text holds.
class TextSearch
{
public:
    TextSearch() = default;
    // The pattern as the user typed it; it is mapped to the editor's characters here.
    TextSearch(const QString& pattern, FindOptions options);

    bool empty() const { return m_pattern.empty(); }
    std::size_t length() const { return m_pattern.size(); }
    FindOptions options() const { return m_options; }
    // Whether two matches could overlap ("aa" in "aaa"), when one match found changes
    // which others are: an edit may then change matches far from itself.
    bool overlapsItself() const { return m_overlapsItself; }

    // The start of every match in text, plus base, appended in order. Whole words are
    // judged by the characters around each match within text: its ends count as line ends.
    void findAll(std::u16string_view text, std::size_t base, std::vector<int>& starts) const;

private:
    bool standsAlone(std::u16string_view text, std::size_t at) const;

    std::u16string m_pattern;
    FindOptions m_options;
    bool m_overlapsItself = false;
};

// A character that belongs to a word, for the whole-word option: the script's names are
// letters, digits and underscores.
bool isWordCharacter(char16_t c);

} // namespace vantrel
