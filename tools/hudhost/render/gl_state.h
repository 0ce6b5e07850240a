// The GL state a plug-in's drawing pass could leave changed, read by name: the host reports what
// the plug-in's calls changed, and the GL tests check what a drawing pass may leave.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hudhost {

// One reading of everything the host's scene relies on and everything a fixed-function overlay
// might touch, in a fixed order ("depth test", "lighting", ..., "current colour", "raster
// position", "matrix mode", ...). Needs a current GL context.
struct GlState {
    struct Piece {
        const char* name;
        std::vector<double> values;
    };
    std::vector<Piece> pieces;

    static GlState read();

    // The values of the piece called `name`; std::out_of_range for a name that is not read.
    const std::vector<double>& operator[](std::string_view name) const;
};

// Watches drawing calls: read the state before each call and after it, then ask which pieces any
// call left changed.
class GlStateWatch {
public:
    void before();
    void after();

    // Names of the pieces some call left changed, in the reading's order; empty when none was.
    std::vector<std::string> changed() const;

private:
    GlState before_;
    std::vector<bool> changed_;
};

}  // namespace hudhost
