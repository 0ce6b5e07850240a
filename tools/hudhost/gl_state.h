// The GL state a plug-in's drawing pass could leave changed, read by name, so that the host can
// say what the plug-in's calls changed.
#pragma once

#include <string>
#include <vector>

namespace hudhost {

// Watches drawing calls: read the state before each call and after it, then ask which pieces any
// call left changed.
class GlStateWatch {
public:
    void before();
    void after();

    // Names of the pieces some call left changed, in a fixed order ("depth test", "lighting", ...,
    // "current colour", "raster position", "matrix mode", ...); empty when none was.
    std::vector<std::string> changed() const;

private:
    std::vector<std::vector<double>> before_;
    std::vector<bool> changed_;
};

}  // namespace hudhost
