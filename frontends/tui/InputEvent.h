// One user action read from the terminal: a key, a typed character, a mouse click, a turn of the
// mouse wheel or a resize.
#pragma once

enum class Key {
    None,
    Tab,
    BackTab,
    Up,
    Down,
    Left,
    Right,
    Home,
    End,
    PageUp,
    PageDown,
    Enter,
    Escape,
    Backspace,
    Delete,
    Insert,
    F1,
    F2,
    F4,
    F6,
    F7,
    F8,
    F10,
};

struct InputEvent {
    enum class Kind { Key, Character, Click, Wheel, Move, Resize };

    Kind kind = Kind::Key;
    Key key = Key::None;
    // The typed character (Kind::Character), also with Alt held.
    wchar_t ch = 0;
    bool alt = false;
    bool ctrl = false;
    // The cell clicked, under the wheel or under the mouse (Kind::Click, Kind::Wheel, Kind::Move).
    int x = 0;
    int y = 0;
    // A wheel's turn: 1 away from the user (up), -1 towards.
    int wheel = 0;
    // Shift held with a key or a click; ctrl above also tells a Ctrl+key or a Ctrl+click.
    bool shift = false;

    static InputEvent ofKey(Key key, bool alt = false) { return {Kind::Key, key, 0, alt, false, 0, 0}; }
    static InputEvent ofCharacter(wchar_t ch, bool alt = false) { return {Kind::Character, Key::None, ch, alt, false, 0, 0}; }
    static InputEvent ofControl(wchar_t letter) { return {Kind::Character, Key::None, letter, false, true, 0, 0}; }
    static InputEvent ofClick(int x, int y) { return {Kind::Click, Key::None, 0, false, false, x, y}; }
    static InputEvent ofWheel(int x, int y, int wheel) { return {Kind::Wheel, Key::None, 0, false, false, x, y, wheel}; }
    static InputEvent ofMove(int x, int y) { return {Kind::Move, Key::None, 0, false, false, x, y}; }
    static InputEvent ofResize() { return {Kind::Resize, Key::None, 0, false, false, 0, 0}; }

    InputEvent withShift() const
    {
        InputEvent held = *this;
        held.shift = true;
        return held;
    }
    InputEvent withCtrl() const
    {
        InputEvent held = *this;
        held.ctrl = true;
        return held;
    }

    bool isKey(Key k) const { return kind == Kind::Key && key == k; }
    bool operator==(const InputEvent&) const = default;
};
