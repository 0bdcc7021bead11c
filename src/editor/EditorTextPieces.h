#pragma once

#include "editor/KnownStretches.h"
#include "files/TextPieces.h"

#include <QMetaObject>
#include <QString>

class QPlainTextEdit;

namespace vantrel {

// The editor's whole text exactly as wholeText() gives it, in pieces that point into the
// document itself, so that saving a long script copies none of it.
//
// The document keeps its text as runs of one buffer, a run for each line and one for each
// line end, so walking them all costs as much for a long script as writing its bytes to
// disk. But a text that goes in whole lies in the buffer in one stretch: keepWholeText()
// notes it, and a save reads it straight, taking the long way only over what was changed
// since. Both ways read the buffer through Qt's private headers; a build without them
// (cmake/FastSave.cmake) hands on one copy of the whole text instead.
class EditorTextPieces : public TextPieces
{
public:
    // The editor's paragraph breaks are written as format's line end, in its encoding.
    EditorTextPieces(const QPlainTextEdit& editor, const TextFormat& format);
    ~EditorTextPieces() override;
    EditorTextPieces(const EditorTextPieces&) = delete;
    EditorTextPieces& operator=(const EditorTextPieces&) = delete;

    void forEachPiece(const Take& take) const override;
    TextEncoding encoding() const override { return m_format.encoding; }

    // The length of the document's buffer: taken just before a whole text goes in.
    qsizetype bufferLength() const;
    // Notes where editorText, the document's whole text since a moment ago, lies in the
    // buffer: from bufferLength as it was before the text went in. Kept only when the
    // buffer proves to hold it there.
    void keepWholeText(const QString& editorText, qsizetype bufferLengthBefore);
    // What is known now: a save reads the known stretches straight from the buffer.
    const KnownStretches& knownStretches() const { return m_known; }

private:
    void changed(int position, int removed, int added);
    bool knownStretchesHold(const QString& buffer) const;
    qsizetype textLength() const;

    const QPlainTextEdit& m_editor;
    const TextFormat& m_format;
    KnownStretches m_known;
    QMetaObject::Connection m_changes;
};

} // namespace vantrel
