#pragma once

#include <cstdint>
#include <vector>

namespace vantrel {

// Which stretches of an editor's text are still known to lie, unbroken, at a known place
// in the document's buffer, and which have changed since and must be read the long way,
// fragment by fragment. A text that goes in whole is known as one stretch; each change
// then makes the changed characters unknown, and leaves the rest where it was.
class KnownStretches
{
public:
    struct Stretch
    {
        std::int64_t length;
        std::int64_t bufferFrom; // Unknown when the text there has changed since
    };
    static constexpr std::int64_t Unknown = -1;

    // The whole text, length characters, is what the buffer holds from bufferFrom on.
    void knowWhole(std::int64_t length, std::int64_t bufferFrom);
    // Nothing is known of the text any more: it is length characters long.
    void forget(std::int64_t length);
    // removed characters at position made way for added ones, unknown. A change that
    // reaches past the text forgets it all; a later length() shows it.
    void change(std::int64_t position, std::int64_t removed, std::int64_t added);

    const std::vector<Stretch>& stretches() const { return m_stretches; }
    std::int64_t length() const;

private:
    // The index of a stretch that starts at position, made by cutting one in two if need be.
    std::size_t cutAt(std::int64_t position);
    void add(std::size_t at, Stretch stretch);

    std::vector<Stretch> m_stretches;
};

} // namespace vantrel
