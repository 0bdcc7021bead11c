#pragma once

#include "files/FileSystem.h"

#include <cstddef>
#include <optional>

namespace vantrel {

class TextPieces;

// Writes a text to an open file as a save appends it: in the text's encoding, then CR LF;
// UTF-8 with a byte order mark starts with the mark when the file is empty. The bytes go
// through one buffer of about 1 MB, written each time it fills, so a long text is never
// encoded whole. Returns 0 or the error: a character with no byte stops the writing with
// FileSystem::unencodableError(), its index in unencodable. After a failure part of the
// text may be in the file.
[[nodiscard]] int writeScript(FileSystem::Handle file, const TextPieces& text,
                              std::optional<std::size_t>& unencodable);

} // namespace vantrel
