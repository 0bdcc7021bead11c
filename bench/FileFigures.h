#pragma once

namespace vantrel::bench {

// Load and Save of 10 MB and 50 MB script files through the main window's commands, the
// file store and the editor. Load is measured against one read() of the file plus
// QPlainTextEdit::setPlainText of its text, painted; Save against write() plus fsync() of
// the bytes that the store writes.
void addFileFigures();

} // namespace vantrel::bench
