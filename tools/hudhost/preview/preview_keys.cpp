#include "preview/preview_keys.h"

#include <algorithm>
#include <iterator>

#include "abi/host_records.h"
#include "host/host_side.h"
#include "host/scene_setup.h"

namespace hudhost {
namespace {

template <class Enum>
constexpr int of(Enum value) {
    return static_cast<int>(value);
}

// The printed name of each key, in the order of Key.
constexpr const char* kKeyNames[] = {
    "S",        "N",         "P",        "R",        "F",        "E",        "V",
    "Q",        "Page Down", "Page Up",  "F12",      "Esc",      "1",        "2",
    "3",        "4",         "5",        "6",        "7",        "8",        "keypad 1",
    "keypad 2", "keypad 3",  "keypad 4", "keypad 5", "keypad 6", "keypad 7", "keypad 8"};
static_assert(std::size(kKeyNames) == static_cast<std::size_t>(Key::Keypad8) + 1,
              "a name for every key, in the order of Key");

// A binding, the keys that give it (`also` is `key` when one does), and what --help says it does:
// "{}" stands for the camera's name as the HUD shows it.
struct KeyRow {
    Key key;
    Key also;
    KeyBinding binding;
    const char* does;
};

// In the order --help lists them.
constexpr KeyRow kKeyRows[] = {
    {Key::S,
     Key::S,
     {KeyAction::Command, vantor::kSwitchCommand},
     "Switch: show or hide the HUD (it starts hidden)"},
    {Key::N, Key::PageDown, {KeyAction::Command, vantor::kNextPageCommand}, "Next Page"},
    {Key::P, Key::PageUp, {KeyAction::Command, vantor::kPrevPageCommand}, "Prev Page"},
    {Key::R,
     Key::R,
     {KeyAction::Command, vantor::kReloadIniCommand},
     "Reload INI (it also runs by itself when the INI file changes on disk)"},
    {Key::Digit1, Key::Keypad1, {KeyAction::Camera, of(Camera::MainPerspective)}, "camera {}"},
    {Key::Digit2, Key::Keypad2, {KeyAction::Camera, of(Camera::Top)}, "camera {}"},
    {Key::Digit3, Key::Keypad3, {KeyAction::Camera, of(Camera::Left)}, "camera {}"},
    {Key::Digit4, Key::Keypad4, {KeyAction::Camera, of(Camera::Right)}, "camera {}"},
    {Key::Digit5, Key::Keypad5, {KeyAction::Camera, of(Camera::Front)}, "camera {}"},
    {Key::Digit6, Key::Keypad6, {KeyAction::Camera, of(Camera::Back)}, "camera {}"},
    {Key::Digit7, Key::Keypad7, {KeyAction::Camera, of(Camera::Bottom)}, "camera {}"},
    {Key::Digit8,
     Key::Keypad8,
     {KeyAction::Camera, of(Camera::Free)},
     "a free camera, which the HUD names {}"},
    {Key::F, Key::F, {KeyAction::Mode, vantor::kFaceSelection}, "select faces"},
    {Key::E, Key::E, {KeyAction::Mode, vantor::kEdgeSelection}, "select edges"},
    {Key::V, Key::V, {KeyAction::Mode, vantor::kVertexSelection}, "select vertices"},
    {Key::F12, Key::F12, {KeyAction::Save, 0}, "save the frame as the --out picture"},
    {Key::Escape, Key::Q, {KeyAction::Close, 0}, "close the window"},
};

// The characters that work where they are typed, and what --help says they do.
struct CharacterRow {
    unsigned int character;
    KeyBinding binding;
    const char* does;
};

constexpr CharacterRow kCharacterRows[] = {
    {'+', {KeyAction::Count, 1}, "one more selected in that mode; hold to run"},
    {'-', {KeyAction::Count, -1}, "one fewer selected in that mode; hold to run"},
};

// A line of the keys' help: the keys, then what they do from the column of the first.
std::string keyLine(const std::string& keys, std::string does, const KeyBinding& binding) {
    const std::size_t name = does.find("{}");
    if (name != std::string::npos) {
        does.replace(name, 2, cameraName(static_cast<Camera>(binding.value)));
    }
    constexpr std::size_t kColumn = 20;
    return "  " + keys + std::string(kColumn - 2 - std::min(keys.size(), kColumn - 3), ' ') + does +
           "\n";
}

}  // namespace

const KeyBinding* bindingOfKey(Key key) {
    for (const KeyRow& row : kKeyRows) {
        if (row.key == key || row.also == key) return &row.binding;
    }
    return nullptr;
}

const KeyBinding* bindingOfCharacter(unsigned int character) {
    for (const CharacterRow& row : kCharacterRows) {
        if (row.character == character) return &row.binding;
    }
    return nullptr;
}

std::string previewKeysText() {
    std::string text = "Keys in the preview window (hudhost --window):\n";
    for (const KeyRow& row : kKeyRows) {
        const std::string also =
            row.also != row.key ? std::string(" or ") + kKeyNames[of(row.also)] : "";
        text += keyLine(kKeyNames[of(row.key)] + also, row.does, row.binding);
    }
    for (const CharacterRow& row : kCharacterRows) {
        text += keyLine(std::string(1, static_cast<char>(row.character)), row.does, row.binding);
    }
    return text;
}

}  // namespace hudhost
