// hudhost --window driven as a user drives it: real key presses through the X server's test
// extension (xdotool), and the pictures the window saves on F12. Every wait is bounded.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "picture.h"

namespace preview {

class PreviewSession {
public:
    PreviewSession() = default;
    // Kills the window's process if it is still running.
    ~PreviewSession();
    PreviewSession(const PreviewSession&) = delete;
    PreviewSession& operator=(const PreviewSession&) = delete;

    // Starts hudhost --window working in `workDir`, with `args` added, waits for its window and
    // gives it the keyboard focus. `name` names the files its output and pictures are kept in.
    // False, with a reason in error(), when there is no window.
    bool start(const std::string& name, const std::string& workDir,
               const std::vector<std::string>& args);

    // Presses keys, by their X names ("s", "Next", "KP_Add"), blank-separated, in order.
    bool press(const std::string& keys);

    // Presses F12 and reads the picture the window saves; a copy is kept under `label`.
    bool picture(const std::string& label, e2e::Picture& out);

    // Resizes the window and waits until the X server has done it.
    bool resize(int width, int height);

    // Presses Esc and waits for the program to end: its exit status, or -1 when it did not end.
    int close();

    // The window's title as the X server has it now.
    std::string title() const;

    const std::string& error() const { return error_; }
    // What the window printed on stderr so far.
    std::string log() const;

private:
    bool fail(const std::string& reason);

    pid_t pid_ = -1;
    std::string window_;  // the X window id, in decimal
    std::string base_;    // the output files' path, less their endings
    std::string picturePath_;
    std::string logPath_;
    std::string error_;
};

}  // namespace preview
