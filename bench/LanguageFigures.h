#pragma once

namespace vantrel::bench {

// What the script language support in the editor costs: Load, keystrokes, the time the
// program leaves input unanswered after a load, each with the support against without it,
// on scripts shaped like real ones; and one structure check against a plain load.
void addLanguageFigures();

} // namespace vantrel::bench
