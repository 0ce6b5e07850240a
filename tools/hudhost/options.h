// What a hudhost run is asked to do, from its command line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hudhost {

// The cameras a view can look through: the modeller's seven named ones and a free one.
enum class Camera { MainPerspective, Top, Left, Right, Front, Back, Bottom, Free };

// A colour, 0 to 255 a part.
struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// A user command, numbered as the plug-in's function catalogue numbers it.
enum class Command : std::int32_t { Switch = 1, Next = 2, Prev = 3, Reload = 4 };

struct Options {
    bool help = false;
    bool list = false;       // print the function catalogue and stop
    bool loadPlugin = true;  // false: render the scene with no plug-in ever loaded
    std::string pluginPath;  // empty: the plug-in file beside this program
    std::string workDir;     // empty: the directory hudhost was started in
    std::vector<Command> commands;
    Camera camera = Camera::MainPerspective;
    std::int32_t selectionMode = 0;  // 0 faces, 1 edges, 2 vertices; others are the host's
    std::uint32_t faces = 0;
    std::uint32_t edges = 0;
    std::uint32_t vertices = 0;
    // The viewport's background: a mid grey on which the HUD's default text colour (64, 64, 64)
    // stands out at better than 3:1, and light text still reads.
    Rgb background{138, 144, 154};
    int width = 640;
    int height = 480;
    long frames = 1;
    long hudFrames = -1;                     // call the HUD only in the first this many; -1: all
    std::vector<std::int32_t> drawFlags{0};  // one drawing call per flag, in order, each frame
    std::string outPath = "hudhost.png";
    bool glState = false;  // report which GL state the HUD's drawing calls left changed
    bool soak = false;
    bool bench = false;
    bool window = false;    // a live preview window instead of a picture
    bool check = false;     // check the layout file instead of loading the plug-in
    std::string checkPath;  // empty: the HUD's own file
};

// Fills `options` from the command line. On a bad or missing value returns false with a one-line
// reason in `error`.
bool parseOptions(int argc, char** argv, Options& options, std::string& error);

// The --help text.
const char* usageText();

}  // namespace hudhost
