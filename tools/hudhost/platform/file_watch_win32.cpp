#include <windows.h>

#include "file_watch.h"
#include "system_message_win32.h"

namespace hudhost {
namespace {

// What tells one state of the file from another: a change notification says only that something
// in the folder changed.
struct Stamp {
    bool exists = false;
    FILETIME written{};
    DWORD sizeLow = 0;
    DWORD sizeHigh = 0;

    bool operator==(const Stamp& other) const {
        return exists == other.exists && CompareFileTime(&written, &other.written) == 0 &&
               sizeLow == other.sizeLow && sizeHigh == other.sizeHigh;
    }
};

Stamp stampOf(const std::string& path) {
    Stamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return stamp;
    stamp.exists = true;
    stamp.written = data.ftLastWriteTime;
    stamp.sizeLow = data.nFileSizeLow;
    stamp.sizeHigh = data.nFileSizeHigh;
    return stamp;
}

// Which folder a path names now: a folder removed and made again is another one.
struct FolderId {
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;

    bool operator==(const FolderId& other) const {
        return volume == other.volume && indexHigh == other.indexHigh && indexLow == other.indexLow;
    }
};

bool folderIdOf(const std::string& folder, FolderId& id) {
    // Opening a folder needs FILE_FLAG_BACKUP_SEMANTICS; sharing everything leaves it free to go.
    const HANDLE handle =
        CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    id = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return known;
}

}  // namespace

struct FileWatch::State {
    HANDLE change = INVALID_HANDLE_VALUE;  // the folder's notification; invalid while it is lost
    FolderId folderId;
    Stamp stamp;
    std::string folder;
    std::string name;
    std::string problem;  // why the last attempt to arm failed, said once

    ~State() { disarm(); }

    // 0, or the system's error code with a one-line reason in `error`.
    DWORD arm(std::string& error) {
        // A file written, renamed, created or deleted in the folder, not in folders below it.
        change = FindFirstChangeNotificationA(
            folder.c_str(), FALSE,
            FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE);
        if (change != INVALID_HANDLE_VALUE && folderIdOf(folder, folderId)) return 0;
        const DWORD failure = GetLastError() != 0 ? GetLastError() : ERROR_PATH_NOT_FOUND;
        disarm();
        error = "cannot watch " + folder + ": " + systemMessage(failure);
        return failure;
    }

    void disarm() {
        if (change != INVALID_HANDLE_VALUE) FindCloseChangeNotification(change);
        change = INVALID_HANDLE_VALUE;
    }

    bool armed() const { return change != INVALID_HANDLE_VALUE; }

    // Whether the folder the notification belongs to is still the one the path names. Windows
    // signals nothing when a watched folder is removed, so this is asked at each look.
    bool stillThere() const {
        FolderId now;
        return folderIdOf(folder, now) && now == folderId;
    }

    // Whether the file differs from when it was last looked at.
    bool fileChanged() {
        const Stamp now = stampOf(folder + "\\" + name);
        const bool differs = !(now == stamp);
        stamp = now;
        return differs;
    }
};

FileWatch::FileWatch() : state_(std::make_unique<State>()) {}

FileWatch::~FileWatch() = default;

bool FileWatch::start(const std::string& folder, const std::string& name, std::string& error) {
    State& s = *state_;
    s.disarm();
    s.folder = folder;
    s.name = name;
    s.stamp = stampOf(folder + "\\" + name);
    if (s.arm(error) == 0) return true;
    s.problem = error;
    return false;
}

bool FileWatch::changed(std::string& news) {
    State& s = *state_;
    if (s.folder.empty()) return false;
    bool ours = false;
    if (s.armed() && WaitForSingleObject(s.change, 0) == WAIT_OBJECT_0) {
        FindNextChangeNotification(s.change);
        ours = s.fileChanged();
    }
    if (s.armed() && !s.stillThere()) {
        s.disarm();
        news = s.folder + " went away; watching it again once it is back";
        s.problem.clear();
        ours = s.fileChanged() || ours;
    }
    if (!s.armed()) {
        std::string error;
        const DWORD failure = s.arm(error);
        if (failure == 0) {
            news = "watching " + s.folder + " again";
            s.problem.clear();
            s.fileChanged();
            return true;
        }
        // Gone is what the loss already said; any other reason is said once.
        const bool gone = failure == ERROR_FILE_NOT_FOUND || failure == ERROR_PATH_NOT_FOUND;
        if (!gone && error != s.problem) news = error + "; press R to reload";
        s.problem = error;
    }
    return ours;
}

std::intptr_t FileWatch::waitHandle() const {
    return state_->armed() ? reinterpret_cast<std::intptr_t>(state_->change) : 0;
}

}  // namespace hudhost
