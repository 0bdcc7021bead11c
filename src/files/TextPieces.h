#pragma once

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
};

// A text that is already in one piece.
class TextInOnePiece : public TextPieces
{
public:
    explicit TextInOnePiece(std::u16string_view text) : m_text(text) {}
    void forEachPiece(const Take& take) const override { take(m_text); }

private:
    std::u16string_view m_text;
};

} // namespace vantrel
