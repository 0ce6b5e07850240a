// What the token tests and benchmarks stand on: a host whose scene and services they set field
// by field, and a page of rows loaded into a PageStore from a real INI file, as the HUD loads it.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "abi/host_records.h"
#include "pages/page_store.h"

namespace vantor::test {

// The host's records, wired together: three selection lists, an active view through its slot,
// and a selection mode that counts how often it is asked.
struct FakeHost {
    static inline std::int32_t mode = 0;
    static inline int modeCalls = 0;
    static std::int32_t selectionMode() {
        ++modeCalls;
        return mode;
    }

    SelectionList faces{0, 0};
    SelectionList edges{0, 0};
    SelectionList vertices{0, 0};
    ActiveView view{};
    const ActiveView* slot = &view;
    SceneContext scene{};
    HostServices services{};

    FakeHost() {
        mode = 0;
        modeCalls = 0;
        scene.selectedFaces = &faces;
        scene.selectedEdges = &edges;
        scene.selectedVertices = &vertices;
        scene.activeViewSlot = &slot;
        services.selectionMode = &selectionMode;
    }
    FakeHost(const FakeHost&) = delete;  // the records point into the object
    FakeHost& operator=(const FakeHost&) = delete;
};

class PageFile {
public:
    explicit PageFile(const std::vector<std::string>& rows) {
        const char* dir = std::getenv("TMPDIR");
        path_ = std::string(dir != nullptr && dir[0] != '\0' ? dir : "/tmp") + "/pageXXXXXX";
        const int fd = mkstemp(path_.data());
        if (fd < 0) return;
        std::string text = "[SECTION1]\n";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            text += "ROWDATA" + std::to_string(i + 1) + "=" + rows[i] + "\n";
        }
        written_ = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
        close(fd);
    }
    ~PageFile() { std::remove(path_.c_str()); }
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;

    // Loads the file into `store` and selects its first page; false when that did not work.
    bool loadInto(PageStore& store) const {
        return written_ && store.setPath(path_.c_str()) == 1 &&
               store.loadPages("SECTION", "ROWDATA") == 1 && store.selectPage(0) == 1;
    }

private:
    std::string path_;
    bool written_ = false;
};

}  // namespace vantor::test
