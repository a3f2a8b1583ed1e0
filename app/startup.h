#pragma once

namespace quizmark {

class ScreenHost;

// Loads the first screen of the program into the main window.
void loadStartScreen(ScreenHost& host);

}
