#pragma once

namespace vantrel::bench {

// Compile (the fields into a script, the script into the editor, painted) against
// QPlainTextEdit::setPlainText of the same script, painted: for the default fields, and
// for fields of 64 KB each.
void addCompileFigures();

} // namespace vantrel::bench
