#pragma once

namespace vantrel {

class TutorialWindowMaker;

// The tutorial window's library, loaded on the first call and kept for the rest of the run;
// null, with a warning on the console, when it cannot be loaded.
TutorialWindowMaker* tutorialWindowMaker();

} // namespace vantrel
