// The keys of the preview window and what each does, free of any window system: a window maps its
// own key codes to Key and drives PreviewControls with the binding it finds.
#pragma once

#include <string>

namespace hudhost {

// The keys the preview answers, by what is printed on them.
enum class Key {
    S,
    N,
    P,
    R,
    F,
    E,
    V,
    Q,
    PageDown,
    PageUp,
    F12,
    Escape,
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Digit5,
    Digit6,
    Digit7,
    Digit8,
    Keypad1,
    Keypad2,
    Keypad3,
    Keypad4,
    Keypad5,
    Keypad6,
    Keypad7,
    Keypad8
};

enum class KeyAction { Command, Camera, Mode, Count, Save, Close };

struct KeyBinding {
    KeyAction action;
    int value;  // the command, the camera, the selection mode or the step of the count
};

// What `key` does when pressed; null for a key that does nothing.
const KeyBinding* bindingOfKey(Key key);

// What typing `character` does: + and - go by the character, so that they are found on any
// keyboard layout, the keypad's included, and a held key repeats. Null when it does nothing.
const KeyBinding* bindingOfCharacter(unsigned int character);

// The keys, a line each, for --help and the preview's start.
std::string previewKeysText();

}  // namespace hudhost
