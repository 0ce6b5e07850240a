// Tells when a file has changed on disk, without reading it and without polling the disk: the
// system queues the changes and changed() only collects them.
#pragma once

#include <string>

namespace hudhost {

class FileWatch {
public:
    FileWatch() = default;
    ~FileWatch();
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    // Starts watching the file `name` in the folder `folder`. The folder is watched rather than
    // the file, since editors save by writing a new file and renaming it over the old one. False,
    // with a one-line reason, when the folder cannot be watched.
    bool start(const std::string& folder, const std::string& name, std::string& error);

    // Whether the file was written, replaced, moved away or deleted since the last call (or the
    // start). Never blocks; false when not watching.
    bool changed();

private:
    int fd_ = -1;
    std::string name_;
};

}  // namespace hudhost
