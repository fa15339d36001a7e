// The colours of the host's screen and of windows, in one place so that every view agrees.
#pragma once

#include "Cell.h"

namespace Theme {
constexpr Style desktop{Color::White, Color::Blue, Attr::None};
constexpr Style menuBar{Color::Black, Color::White, Attr::None};
constexpr Style menuHot{Color::Red, Color::White, Attr::None};
constexpr Style menuSelected{Color::White, Color::Black, Attr::None};
constexpr Style menuSelectedHot{Color::Yellow, Color::Black, Attr::Bold};
constexpr Style menuDisabled{Color::Black, Color::White, Attr::Dim};
constexpr Style logbook{Color::White, Color::Blue, Attr::None};
constexpr Style statusLine{Color::Black, Color::Cyan, Attr::None};
constexpr Style commandLine{Color::White, Color::Black, Attr::None};
constexpr Style commandPrompt{Color::Yellow, Color::Black, Attr::Bold};

constexpr Style window{Color::Black, Color::White, Attr::None};
constexpr Style windowHot{Color::Red, Color::White, Attr::None};
constexpr Style titleActive{Color::White, Color::Blue, Attr::Bold};
constexpr Style titleInactive{Color::Black, Color::White, Attr::None};
constexpr Style frameActive{Color::Blue, Color::White, Attr::Bold};
constexpr Style frameInactive{Color::Black, Color::White, Attr::None};
constexpr Style disabled{Color::Black, Color::White, Attr::Dim};
constexpr Style button{Color::Black, Color::Green, Attr::None};
constexpr Style buttonFocused{Color::White, Color::Green, Attr::Bold};
constexpr Style buttonDisabled{Color::Black, Color::White, Attr::Dim};
constexpr Style field{Color::Black, Color::Cyan, Attr::None};
constexpr Style fieldFocused{Color::White, Color::Cyan, Attr::Bold};
constexpr Style fieldReadOnly{Color::Black, Color::White, Attr::None};
constexpr Style selection{Color::White, Color::Black, Attr::None};
constexpr Style listItem{Color::Black, Color::Cyan, Attr::None};
constexpr Style shadow{Color::White, Color::Black, Attr::Dim};
} // namespace Theme
