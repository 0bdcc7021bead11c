#pragma once

#include "files/FileSystem.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace vantrel {

class TextPieces;

// Writes a text to an open file: in the text's encoding, then the ending (CR LF for an
// append, which a replacing save leaves out); UTF-8 with a byte order mark starts with the
// mark when the file is empty. The bytes go through one buffer of about 1 MB, written each
// time it fills, so a long text is never
// encoded whole. Returns 0 or the error: a character with no byte stops the writing with
// FileSystem::unencodableError(), its index in unencodable. After a failure part of the
// text may be in the file.
[[nodiscard]] int writeScript(FileSystem::Handle file, const TextPieces& text,
                              std::optional<std::size_t>& unencodable,
                              std::u16string_view ending = u"\r\n");

} // namespace vantrel
