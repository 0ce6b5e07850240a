// Tells when a file has changed on disk, without reading it and without polling the disk: the
// system queues the changes and changed() only collects them. The watch outlives its folder: when
// the folder is removed or moved away and made again (a checkout, a restore from a backup), the
// watch is armed again on the new one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace hudhost {

class FileWatch {
public:
    FileWatch();
    ~FileWatch();
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    // Starts watching the file `name` in the folder `folder`. The folder is watched rather than
    // the file, since editors save by writing a new file and renaming it over the old one. False,
    // with a one-line reason, when the folder cannot be watched now; changed() keeps trying.
    bool start(const std::string& folder, const std::string& name, std::string& error);

    // Whether the file was written, replaced, moved away or deleted since the last call (or the
    // start). Never blocks. A lost watch is armed again here as soon as its folder is back; then
    // the file counts as changed, since it may have been written meanwhile. `news` is set to one
    // line when the watch was lost, armed again or cannot be, and left alone otherwise.
    bool changed(std::string& news);

    // What an event loop waits on beside its window's events, ready when changed() may have
    // something: a file descriptor to poll on Linux, a waitable HANDLE on Windows; -1 (Linux) or
    // 0 (Windows) when there is nothing to wait on.
    std::intptr_t waitHandle() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace hudhost
