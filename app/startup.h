#pragma once

namespace quizmark {

class ScreenHost;

// Makes every screen of the program loadable by name.
void registerScreens(ScreenHost& host);
// Loads and shows the first screen of the program in the main window.
void loadStartScreen(ScreenHost& host);

}
