// What the preview window does between its events, the same on every platform: reload the INI
// file when it changes on disk, and draw a frame only when something shown may have changed. The
// window, its event loop and its wait are each platform's own (window/preview_window_*.cpp).
#pragma once

#include <memory>
#include <string>

#include "file_watch.h"
#include "host/host_side.h"
#include "preview/preview.h"
#include "preview/preview_controls.h"
#include "preview/preview_keys.h"

namespace hudhost {

class WindowView;

class PreviewLoop {
public:
    // `host` is attached to the plug-in.
    PreviewLoop(HostSide& host, const PreviewSetup& setup);
    ~PreviewLoop();
    PreviewLoop(const PreviewLoop&) = delete;
    PreviewLoop& operator=(const PreviewLoop&) = delete;

    // With the window's context current: starts the file watch, prints the keys, draws the first
    // frame, which reads the INI file, and runs the commands of the command line. The window
    // then shows the frame.
    void start(int width, int height);

    // A key pressed (not its repeats), and a character typed (repeats included, so that a held +
    // runs on); null when it does nothing.
    void press(const KeyBinding* binding);

    // The window must be drawn again, its scene rendered afresh: resized, or uncovered.
    void invalidate();

    // Esc or Q was pressed, or the window was closed.
    void close() { closing_ = true; }
    bool closing() const { return closing_; }

    // The window's title, the camera, the selection and the counts of the layout check, when it is
    // new since the last call.
    bool takeTitle(std::string& title);

    // The longest the window may sleep for want of events: until the next second, when the clock
    // tokens may show another time.
    int waitLimitMs() const;

    const FileWatch& watch() const { return watch_; }

    // After the window's events: reloads when the INI file changed on disk, checks the layout
    // again when the window has a new size, and draws a frame
    // when anything shown may have changed since the last one, saving it when F12 asked. True
    // when a frame was drawn, for the window to show.
    bool update(int width, int height);

    // Runs Reload INI, saying on stderr why (`cause`, empty for the R key), and checks the layout
    // as hudhost --check does at the window's size; every reload of the preview comes here.
    void reload(const std::string& cause);

    // Shuts down as the modeller does: the plug-in releases its lists while the context is
    // current. Call before the window's context goes.
    void finish();

private:
    // Whether the file is there once an editor's save by rename has had time to end.
    bool waitForLayout();

    HostSide& host_;
    PreviewControls controls_;
    std::string picturePath_;
    std::vector<vantor::PluginFunction> commands_;
    std::unique_ptr<WindowView> view_;
    FileWatch watch_;
    bool dirty_ = true;
    bool closing_ = false;
    bool titleDue_ = true;
    // The file went away and the last layout is kept, as the modeller keeps it, until it is back.
    bool layoutMissing_ = false;
    long long shownSecond_ = -1;  // the second of the clock the last frame showed
    int checkedWidth_ = 0;        // the window size the layout was last checked at
    int checkedHeight_ = 0;
};

}  // namespace hudhost
