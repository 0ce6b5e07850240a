#include "preview/preview_keys.h"

#include "abi/host_records.h"
#include "host/run_options.h"

namespace hudhost {
namespace {

constexpr char kKeys[] = R"(Keys in the preview window (hudhost --window):
  S                 Switch: show or hide the HUD (it starts hidden)
  N or Page Down    Next Page
  P or Page Up      Prev Page
  R                 Reload INI (it also runs by itself when the INI file changes on disk)
  1 to 7            camera: Main Perspective, Top, Left, Right, Front, Back, Bottom
  8                 a free camera, which the HUD names Free Ortho
  F, E, V           select faces, edges or vertices
  + and -           one more or one fewer selected in that mode; hold to run
  F12               save the frame as the --out picture
  Esc or Q          close the window
)";

constexpr int of(Camera camera) { return static_cast<int>(camera); }

struct KeyRow {
    Key key;
    KeyBinding binding;
};

constexpr KeyRow kKeyRows[] = {
    {Key::S, {KeyAction::Command, vantor::kSwitchCommand}},
    {Key::N, {KeyAction::Command, vantor::kNextPageCommand}},
    {Key::PageDown, {KeyAction::Command, vantor::kNextPageCommand}},
    {Key::P, {KeyAction::Command, vantor::kPrevPageCommand}},
    {Key::PageUp, {KeyAction::Command, vantor::kPrevPageCommand}},
    {Key::R, {KeyAction::Command, vantor::kReloadIniCommand}},
    {Key::Digit1, {KeyAction::Camera, of(Camera::MainPerspective)}},
    {Key::Digit2, {KeyAction::Camera, of(Camera::Top)}},
    {Key::Digit3, {KeyAction::Camera, of(Camera::Left)}},
    {Key::Digit4, {KeyAction::Camera, of(Camera::Right)}},
    {Key::Digit5, {KeyAction::Camera, of(Camera::Front)}},
    {Key::Digit6, {KeyAction::Camera, of(Camera::Back)}},
    {Key::Digit7, {KeyAction::Camera, of(Camera::Bottom)}},
    {Key::Digit8, {KeyAction::Camera, of(Camera::Free)}},
    {Key::Keypad1, {KeyAction::Camera, of(Camera::MainPerspective)}},
    {Key::Keypad2, {KeyAction::Camera, of(Camera::Top)}},
    {Key::Keypad3, {KeyAction::Camera, of(Camera::Left)}},
    {Key::Keypad4, {KeyAction::Camera, of(Camera::Right)}},
    {Key::Keypad5, {KeyAction::Camera, of(Camera::Front)}},
    {Key::Keypad6, {KeyAction::Camera, of(Camera::Back)}},
    {Key::Keypad7, {KeyAction::Camera, of(Camera::Bottom)}},
    {Key::Keypad8, {KeyAction::Camera, of(Camera::Free)}},
    {Key::F, {KeyAction::Mode, vantor::kFaceSelection}},
    {Key::E, {KeyAction::Mode, vantor::kEdgeSelection}},
    {Key::V, {KeyAction::Mode, vantor::kVertexSelection}},
    {Key::F12, {KeyAction::Save, 0}},
    {Key::Escape, {KeyAction::Close, 0}},
    {Key::Q, {KeyAction::Close, 0}},
};

constexpr KeyBinding kMore{KeyAction::Count, 1};
constexpr KeyBinding kFewer{KeyAction::Count, -1};

}  // namespace

const KeyBinding* bindingOfKey(Key key) {
    for (const KeyRow& row : kKeyRows) {
        if (row.key == key) return &row.binding;
    }
    return nullptr;
}

const KeyBinding* bindingOfCharacter(unsigned int character) {
    if (character == '+') return &kMore;
    if (character == '-') return &kFewer;
    return nullptr;
}

const char* previewKeysText() { return kKeys; }

}  // namespace hudhost
