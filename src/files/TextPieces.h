#pragma once

#include "script/TextFormat.h"

#include <functional>
#include <string_view>

namespace vantrel {

// A text handed over in pieces, in order, so that a long one is never copied whole: the
// file store saves the editor's text through it without knowing the editor.
class TextPieces
{
public:
    using Take = std::function<bool(std::u16string_view piece)>;

    virtual ~TextPieces() = default;
    // Calls take with each piece in turn until it returns false or the text ends. A piece
    // is valid only during its call. Every call walks the same text from its start.
    virtual void forEachPiece(const Take& take) const = 0;
    // The encoding the text is written in: the one it was read in.
    virtual TextEncoding encoding() const { return TextEncoding::Windows1252; }
};

// A text that is already in one piece.
class TextInOnePiece : public TextPieces
{
public:
    explicit TextInOnePiece(std::u16string_view text,
                            TextEncoding encoding = TextEncoding::Windows1252)
        : m_text(text), m_encoding(encoding)
    {
    }
    void forEachPiece(const Take& take) const override { take(m_text); }
    TextEncoding encoding() const override { return m_encoding; }

private:
    std::u16string_view m_text;
    TextEncoding m_encoding;
};

} // namespace vantrel
