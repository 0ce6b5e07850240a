// What the GL tests share beyond the support kit: a fresh offscreen context per test, and
// framebuffer read-back with the picture kept when a check fails.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fake_host.h"
#include "frame_image.h"
#include "gl_context.h"
#include "hud/hud_plugin.h"
#include "work_folder.h"

namespace vantor::test {

// Lists in use among the names 1 .. `upTo`, as glIsList sees them.
int countLists(GLuint upTo);

// Fills `count` lists from `first` with a solid 8 x 8 block: the host's own lists, so that a call
// of a list that is not the HUD's shows.
void fillWithBlocks(GLuint first, int count);

// A fresh 640 x 480 context per test, cleared to black; the working directory and a HUD are made
// by each test. Pictures read through frame() are written as PNG files when the test fails, and
// always when VANTOR_KEEP_FRAMES names a folder.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Reads the framebuffer and keeps it, under `label`, for the PNG.
    const Image& frame(const std::string& label = "frame");

    static std::unique_ptr<HudPlugin> makeHud() { return std::make_unique<HudPlugin>(); }
    // A fresh HUD shown over one page of the single row `text` with `config`, one frame drawn.
    const Image& drawRow(const std::string& text, const std::vector<std::string>& config,
                         const std::string& label) {
        WorkFolder dir(iniWithPage({text}, config));
        glClear(GL_COLOR_BUFFER_BIT);
        auto hud = makeHud();
        hud->execute(kSwitchCommand);
        hud->draw(0);
        return frame(label);
    }

    std::unique_ptr<hudhost::GlContext> gl_;

private:
    std::vector<std::pair<std::string, Image>> frames_;
};

}  // namespace vantor::test
