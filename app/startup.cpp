#include "startup.h"

#include "screenhost.h"

namespace quizmark {

void registerScreens(ScreenHost&)
{
    // One line per screen: host.registerScreen("name", [](ScreenHost& h) { return new name(h); });
}

void loadStartScreen(ScreenHost&)
{
}

}
