#pragma once

#include "TextPieces.h"

class QPlainTextEdit;

namespace vantrel {

// The editor's whole text exactly as wholeText() gives it, in pieces that point into the
// document itself, so that saving a long script copies none of it.
class EditorTextPieces : public TextPieces
{
public:
    explicit EditorTextPieces(const QPlainTextEdit& editor) : m_editor(editor) {}
    void forEachPiece(const Take& take) const override;

private:
    const QPlainTextEdit& m_editor;
};

} // namespace vantrel
