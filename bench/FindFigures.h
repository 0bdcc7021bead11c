#pragma once

namespace vantrel::bench {

// Find, replace and the find bar's cost while typing, on scripts shaped like real ones:
// counting every match and finding one near the end against a Boyer-Moore-Horspool scan
// of the text as one string, Replace All against QString::replace and setPlainText, and a
// keystroke with the bar open against one with it closed.
void addFindFigures();

} // namespace vantrel::bench
