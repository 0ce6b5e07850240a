#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "file_watch.h"

namespace hudhost {
namespace {

// A save in place ends with the file closed after writing; a save by rename moves a new file
// in; a deletion or a move away leaves the HUD with no file, which a reload shows too. The
// folder's own removal or move ends the watch.
constexpr std::uint32_t kChanges = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE |
                                   IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

}  // namespace

struct FileWatch::State {
    int fd = -1;
    int watch = -1;  // the folder's watch; -1 while it is lost
    std::string folder;
    std::string name;
    std::string problem;  // why the last attempt to arm failed, said once

    ~State() {
        if (fd >= 0) close(fd);
    }

    // 0, or the errno of the failure with a one-line reason in `error`.
    int arm(std::string& error) {
        watch = inotify_add_watch(fd, folder.c_str(), kChanges);
        if (watch >= 0) return 0;
        const int failure = errno;
        error = "cannot watch " + folder + ": " + std::strerror(failure);
        return failure;
    }

    // The folder went away or moved: its watch is dropped and armed again when it is back.
    void lose() {
        inotify_rm_watch(fd, watch);  // a moved folder keeps its watch; a removed one has none
        watch = -1;
    }
};

FileWatch::FileWatch() : state_(std::make_unique<State>()) {}

FileWatch::~FileWatch() = default;

bool FileWatch::start(const std::string& folder, const std::string& name, std::string& error) {
    State& s = *state_;
    if (s.fd < 0) s.fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (s.fd < 0) {
        error = std::string("cannot watch files: ") + std::strerror(errno);
        return false;
    }
    s.folder = folder;
    s.name = name;
    if (s.arm(error) == 0) return true;
    s.problem = error;
    return false;
}

bool FileWatch::changed(std::string& news) {
    State& s = *state_;
    if (s.fd < 0) return false;
    bool ours = false;
    // Events are whole records, aligned for inotify_event; a buffer of 4096 holds at least one of
    // the largest (a name of NAME_MAX bytes).
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t got = read(s.fd, buffer, sizeof buffer);
        if (got <= 0) break;  // EAGAIN: nothing more queued
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            // IN_Q_OVERFLOW lost events, maybe ours: take it as a change.
            if ((event->mask & IN_Q_OVERFLOW) != 0 || (event->len > 0 && s.name == event->name)) {
                ours = true;
            }
            if (event->wd != s.watch || s.watch < 0) continue;
            if ((event->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) != 0) {
                s.lose();
                ours = true;
                news = s.folder + " went away; watching it again once it is back";
                s.problem.clear();
            }
        }
    }
    if (s.watch < 0) {
        std::string error;
        const int failure = s.arm(error);
        if (failure == 0) {
            news = "watching " + s.folder + " again";
            s.problem.clear();
            return true;
        }
        // Gone is what the loss already said; any other reason is said once.
        if (failure != ENOENT && error != s.problem) news = error + "; press R to reload";
        s.problem = error;
    }
    return ours;
}

std::intptr_t FileWatch::waitHandle() const { return state_->fd; }

}  // namespace hudhost
