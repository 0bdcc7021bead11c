#pragma once

#include <QString>
#include <optional>
#include <string_view>

namespace vantrel {

// A place in a script as the user types it: "LINE", or "LINE:COLUMN" as the check command
// prints it, both counted from 1.
struct LineColumn
{
    long long line = 1;
    long long column = 1;
};

// The place typed, or none for text that names no place. Spaces around the numbers and a
// colon after them, as in a copied "12:5:", are allowed; numbers too large to hold stand
// for the end.
std::optional<LineColumn> parseLineColumn(const QString& typed);

// The position in the editor's text of a place: lines end at every line end the check
// command counts, a column counts a surrogate pair as one character, and a line or column
// past the end goes to the last one.
int positionOf(std::u16string_view text, LineColumn place);

} // namespace vantrel
