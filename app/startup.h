#pragma once

namespace quizmark {

class ScreenHost;

// Makes every screen of the program loadable by name.
void registerScreens(ScreenHost& host);
// Loads and shows the first screen of the program in the main window; once the event loop runs
// again, an unfinished attempt is offered for resuming.
void loadStartScreen(ScreenHost& host);
// Loads the first screen once the event loop runs, so that an error raised while it loads meets
// the same handling as an error in any event.
void postStartScreen(ScreenHost& host);
// Names the program for its settings and version. No display name is set: the toolkit would add it
// to every window title, and each window carries exactly the caption its screen gives it.
void describeApplication();

}
