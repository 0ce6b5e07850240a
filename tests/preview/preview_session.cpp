#include "preview_session.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "host_run.h"

namespace preview {
namespace {

using Clock = std::chrono::steady_clock;

// The longest any one step may take: a window to appear, a picture to be saved, the program to
// end. Far above what they need on a loaded machine, and bounded all the same.
constexpr int kPatienceSeconds = 30;
constexpr std::chrono::seconds kPatience{kPatienceSeconds};
constexpr std::chrono::milliseconds kPause{20};

// Runs a shell command line; its output, and whether it exited with 0.
bool runLine(const std::string& line, std::string& output) {
    output.clear();
    FILE* pipe = popen(line.c_str(), "r");
    if (pipe == nullptr) return false;
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, pipe) != nullptr) output += chunk;
    return pclose(pipe) == 0;
}

// xdotool with a time limit, so that a lost window cannot hang the test.
std::string xdotool(const std::string& args) {
    return "timeout " + std::to_string(kPatienceSeconds) + " xdotool " + args + " 2>&1";
}

bool exited(pid_t pid, int& status) {
    int raw = 0;
    if (waitpid(pid, &raw, WNOHANG) != pid) return false;
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return true;
}

}  // namespace

PreviewSession::~PreviewSession() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
}

bool PreviewSession::fail(const std::string& reason) {
    error_ = reason;
    return false;
}

bool PreviewSession::start(const std::string& name, const std::string& workDir,
                           const std::vector<std::string>& args) {
    if (std::getenv("DISPLAY") == nullptr) {
        return fail("no DISPLAY: run the tests through scripts/check, or source scripts/xvfb-env");
    }
    base_ = std::filesystem::absolute(e2e::outputDir()).string() + "/" + name;
    picturePath_ = base_ + ".png";
    logPath_ = base_ + ".stderr";
    std::vector<std::string> argv = e2e::hostCommand();
    argv.insert(argv.end(), {"--window", "--workdir", workDir, "--out", picturePath_});
    argv.insert(argv.end(), args.begin(), args.end());

    pid_ = fork();
    if (pid_ < 0) return fail("cannot start hudhost");
    if (pid_ == 0) {
        const int log = open(logPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(log, STDERR_FILENO);
        dup2(log, STDOUT_FILENO);
        std::vector<char*> pointers;
        for (std::string& arg : argv) pointers.push_back(arg.data());
        pointers.push_back(nullptr);
        execv(pointers[0], pointers.data());
        _exit(127);
    }

    // xdotool's search stops at an X error when a window of another program (wine's, in a test
    // running beside this one) goes while it looks; it looks again.
    std::string found;
    bool seen = false;
    for (int tries = 0; tries < 5 && !seen; ++tries) {
        seen = runLine(xdotool("search --sync --onlyvisible --pid " + std::to_string(pid_)), found);
        if (found.find("BadWindow") == std::string::npos) break;
    }
    if (!seen) return fail("no window appeared: " + found + log());
    std::istringstream(found) >> window_;  // one window is mapped; the first line is it
    std::string output;
    if (!runLine(xdotool("windowfocus --sync " + window_), output)) {
        return fail("cannot focus the window: " + output);
    }
    return true;
}

bool PreviewSession::press(const std::string& keys) {
    std::string output;
    // Focus again first: nothing else should take it, but a key sent elsewhere is lost silently.
    if (!runLine(xdotool("windowfocus --sync " + window_ + " key --delay 30 " + keys), output)) {
        return fail("xdotool could not press " + keys + ": " + output);
    }
    return true;
}

bool PreviewSession::picture(const std::string& label, e2e::Picture& out) {
    std::filesystem::remove(picturePath_);
    if (!press("F12")) return false;
    // The window renames the finished picture into place, so once it exists it is whole.
    const auto deadline = Clock::now() + kPatience;
    while (!std::filesystem::exists(picturePath_)) {
        int status = 0;
        if (exited(pid_, status)) {
            pid_ = -1;
            return fail("the window ended with status " + std::to_string(status) + ": " + log());
        }
        if (Clock::now() > deadline) return fail("no picture saved after F12: " + log());
        std::this_thread::sleep_for(kPause);
    }
    if (!e2e::loadPng(picturePath_, out)) return fail("cannot read " + picturePath_);
    // Kept under a name of its own, to look at after a failure.
    std::filesystem::copy_file(picturePath_, base_ + "-" + label + ".png",
                               std::filesystem::copy_options::overwrite_existing);
    return true;
}

bool PreviewSession::resize(int width, int height) {
    std::string output;
    const std::string size = std::to_string(width) + " " + std::to_string(height);
    if (!runLine(xdotool("windowsize --sync " + window_ + " " + size), output)) {
        return fail("cannot resize the window: " + output);
    }
    return true;
}

int PreviewSession::close() {
    if (pid_ <= 0) return -1;
    press("Escape");
    const auto deadline = Clock::now() + kPatience;
    int status = -1;
    while (!exited(pid_, status)) {
        if (Clock::now() > deadline) return -1;  // the destructor kills it
        std::this_thread::sleep_for(kPause);
    }
    pid_ = -1;
    return status;
}

std::string PreviewSession::title() const {
    std::string output;
    runLine(xdotool("getwindowname " + window_), output);
    return output;
}

std::string PreviewSession::log() const {
    std::ifstream in(logPath_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace preview
