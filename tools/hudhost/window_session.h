// What the preview window shows and what its keys do, the same on every platform: the window,
// its event loop and the wait for the file watch are each platform's own (preview_window_*.cpp).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "file_watch.h"
#include "host_side.h"
#include "options.h"

namespace hudhost {

// The keys the preview tells apart: letters and digits by their upper-case character, as both
// GLFW and Win32 number them, the others by these names. A window passes any other key on too;
// it does nothing.
enum Key : int {
    kKeyPageUp = 0x100,
    kKeyPageDown,
    kKeyF12,
    kKeyEscape,
    kKeyKeypad0,  // the keypad's digit n is kKeyKeypad0 + n
};

class Frames;
struct KeyBinding;

class WindowSession {
public:
    // `host` is attached to the plug-in; F12 writes the frame to `picturePath`.
    WindowSession(HostSide& host, const Options& options, std::string picturePath);
    ~WindowSession();
    WindowSession(const WindowSession&) = delete;
    WindowSession& operator=(const WindowSession&) = delete;

    // With the window's context current: starts the file watch, prints the keys, draws the first
    // frame, which reads the INI file, and runs the commands of the command line. The window
    // then shows the frame.
    void start(int width, int height);

    // A key pressed (not its repeats), and a character typed (repeats included, so that a held +
    // runs on). Keys that change nothing are ignored.
    void key(int key);
    void character(unsigned int codepoint);

    // The window must be drawn again: resized, or uncovered.
    void invalidate() { dirty_ = true; }

    // Esc or Q was pressed, or the window was closed.
    void close() { closing_ = true; }
    bool closing() const { return closing_; }

    // The window's title: the camera and the selection.
    std::string title() const;

    // The longest the window may sleep for want of events: until the next second, when the clock
    // tokens may show another time.
    int waitLimitMs() const;

    const FileWatch& watch() const { return watch_; }

    // After the window's events: reloads when the INI file changed on disk, and draws a frame
    // when anything shown may have changed since the last one, saving it when F12 asked. True
    // when a frame was drawn, for the window to show.
    bool update(int width, int height);

    // Runs Reload INI, saying why on stderr; every reload of the preview comes here.
    void reload(const std::string& cause);

    // Shuts down as the modeller does: the plug-in releases its lists while the context is
    // current. Call before the window's context goes.
    void finish();

private:
    void apply(const KeyBinding& binding);
    bool step(int by);

    HostSide& host_;
    SceneSetup setup_;
    std::string picturePath_;
    std::vector<Command> commands_;
    std::unique_ptr<Frames> frames_;
    FileWatch watch_;
    bool dirty_ = true;
    bool saveWanted_ = false;
    bool closing_ = false;
    long long shownSecond_ = -1;  // the second of the clock the last frame showed
};

}  // namespace hudhost
