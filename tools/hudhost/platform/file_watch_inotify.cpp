#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "file_watch.h"

namespace hudhost {

FileWatch::~FileWatch() {
    if (fd_ >= 0) close(fd_);
}

bool FileWatch::start(const std::string& folder, const std::string& name, std::string& error) {
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0) {
        error = std::string("cannot watch files: ") + std::strerror(errno);
        return false;
    }
    // A save in place ends with the file closed after writing; a save by rename moves a new file
    // in; a deletion or a move away leaves the HUD with no file, which a reload shows too.
    constexpr std::uint32_t kChanges = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE;
    if (inotify_add_watch(fd, folder.c_str(), kChanges | IN_ONLYDIR) < 0) {
        error = "cannot watch " + folder + ": " + std::strerror(errno);
        close(fd);
        return false;
    }
    if (fd_ >= 0) close(fd_);
    fd_ = fd;
    name_ = name;
    return true;
}

bool FileWatch::changed() {
    if (fd_ < 0) return false;
    bool ours = false;
    // Events are whole records, aligned for inotify_event; a buffer of 4096 holds at least one of
    // the largest (a name of NAME_MAX bytes).
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t got = read(fd_, buffer, sizeof buffer);
        if (got <= 0) break;  // EAGAIN: nothing more queued
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            // IN_Q_OVERFLOW lost events, maybe ours: take it as a change.
            if ((event->mask & IN_Q_OVERFLOW) != 0 || (event->len > 0 && name_ == event->name)) {
                ours = true;
            }
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return ours;
}

}  // namespace hudhost
