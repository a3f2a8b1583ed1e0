#include "startup.h"

#include "screenhost.h"

namespace quizmark {

void loadStartScreen(ScreenHost&)
{
}

}
