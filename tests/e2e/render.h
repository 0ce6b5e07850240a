// Renders a picture with hudhost and reads it back.
#pragma once

#include <string>
#include <vector>

#include "host_run.h"
#include "picture.h"

namespace e2e {

// Runs hudhost with `args` and --out <outputDir>/<name>.png, and loads that picture. The run's
// status and output are returned; `picture` is left empty when none could be read.
HostRun render(const std::string& name, std::vector<std::string> args, Picture& picture);

}  // namespace e2e
