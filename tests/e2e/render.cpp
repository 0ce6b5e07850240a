#include "render.h"

namespace e2e {

HostRun render(const std::string& name, std::vector<std::string> args, Picture& picture) {
    const std::string path = outputDir() + "/" + name + ".png";
    args.insert(args.end(), {"--out", path});
    HostRun run = runHost(name, args);
    picture = Picture();
    if (run.status == 0) picture.load(path);
    return run;
}

}  // namespace e2e
