#pragma once

#include "attemptstate.h"

namespace quizmark {

// The program's one module of shared state, alive from start to end and never cleared.
inline AttemptState Module1;

}
