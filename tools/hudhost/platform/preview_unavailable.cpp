// The Windows build has no preview window: the preview is a tool for writing a layout, and the
// Linux build serves it.
#include "preview.h"

namespace hudhost {

bool runPreview(const Options&, const std::string&, HostSide&, std::string& error) {
    error = "--window: this build has no preview window; use the Linux hudhost";
    return false;
}

const char* previewKeys() { return "The preview window (--window) is in the Linux build only.\n"; }

}  // namespace hudhost
