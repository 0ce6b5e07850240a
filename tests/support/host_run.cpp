#include "host_run.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace e2e {
namespace {

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

std::vector<std::string> linesOf(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();  // wine writes CRLF
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

std::vector<std::string> hostCommand() {
    const char* host = std::getenv("VANTOR_HUDHOST");
    const char* runner = std::getenv("VANTOR_HUDHOST_RUNNER");
    if (host == nullptr) return {HUDHOST};
    if (runner == nullptr) return {host};
    return {runner, host};
}

std::string outputDir() {
    const std::string dir = "e2e-output";
    std::filesystem::create_directories(dir);
    return dir;
}

HostRun runHost(const std::string& name, const std::vector<std::string>& args,
                const std::string& environment) {
    const std::string base = outputDir() + "/" + name;
    std::string line;
    for (const std::string& word : hostCommand()) line += quoted(word) + " ";
    for (const std::string& arg : args) line += quoted(arg) + " ";
    line += ">" + quoted(base + ".stdout") + " 2>" + quoted(base + ".stderr");
    if (!environment.empty()) line = withEnvironment(environment) + line;

    // A shell that never started, or that could not start hudhost, gave no answer of hudhost's:
    // under wine, with other programs starting at once, creating a process fails now and then.
    // Such a start is tried again.
    int result = -1;
    for (int attempt = 0; attempt < 3 && (attempt == 0 || neverStarted(result)); ++attempt) {
        result = std::system(shellLine(line).c_str());
    }
    HostRun run;
    run.status = exitStatusOf(result);
    run.out = linesOf(base + ".stdout");
    run.err = linesOf(base + ".stderr");
    return run;
}

HostRun render(const std::string& name, std::vector<std::string> args, Picture& picture) {
    const std::string path = outputDir() + "/" + name + ".png";
    args.insert(args.end(), {"--out", path});
    HostRun run = runHost(name, args);
    picture = Picture();
    if (run.status == 0) loadPng(path, picture);
    return run;
}

}  // namespace e2e
