#pragma once

#include "rendercommandline.h"

#include <QString>

namespace plotvane_render {

// Runs a script for what the command line asks: a drawing log, a PNG, or both. Returns the
// process's exit status; complaints go to errors.
int renderChart(const RenderCommandLine& commandLine, QString& errors);

} // namespace plotvane_render
