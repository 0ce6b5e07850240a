// A picture hudhost wrote, read back for checks.
#pragma once

#include <string>
#include <vector>

namespace e2e {

struct Rgb {
    int r, g, b;
};

class Picture {
public:
    // Reads an RGB PNG; false when it cannot.
    bool load(const std::string& path);

    int width() const { return width_; }
    int height() const { return height_; }
    // x from the left, y from the BOTTOM row, as GL and the HUD's overlay space count.
    Rgb at(int x, int y) const;
    bool operator==(const Picture& other) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<unsigned char> rgb_;
};

// Whether two colours differ by at most `tolerance` in each component.
bool near(const Rgb& a, const Rgb& b, int tolerance);

}  // namespace e2e
