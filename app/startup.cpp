#include "startup.h"

#include "screenhost.h"
#include "screens/examselect.h"
#include "screens/questionselect.h"

namespace quizmark {

void registerScreens(ScreenHost& host)
{
    // One line per screen: host.registerScreen("name", [](ScreenHost& h) { return new name(h); });
    host.registerScreen(QStringLiteral("examselect"), [](ScreenHost& h) { return new examselect(h); });
    host.registerScreen(QStringLiteral("questionselect"), [](ScreenHost& h) { return new questionselect(h); });
}

void loadStartScreen(ScreenHost& host)
{
    host.showScreen(host.loadScreen(QStringLiteral("examselect")));
}

}
