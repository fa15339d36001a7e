// One character cell of the screen: its character, colours and attributes.
#pragma once

#include <cstdint>

// The eight colours every colour terminal has, in the terminal's own numbering.
enum class Color : std::uint8_t { Black, Red, Green, Yellow, Blue, Magenta, Cyan, White };

namespace Attr {
constexpr std::uint8_t None = 0;
constexpr std::uint8_t Bold = 1;
constexpr std::uint8_t Underline = 2;
constexpr std::uint8_t Reverse = 4;
constexpr std::uint8_t Dim = 8;
} // namespace Attr

struct Style {
    Color fg = Color::White;
    Color bg = Color::Black;
    std::uint8_t attrs = Attr::None;

    Style with(std::uint8_t extra) const { return {fg, bg, static_cast<std::uint8_t>(attrs | extra)}; }
    Style withFg(Color colour) const { return {colour, bg, attrs}; }
    bool operator==(const Style&) const = default;
};

struct Cell {
    wchar_t ch = L' ';
    Style style;

    bool operator==(const Cell&) const = default;
};
