// Answers every message box shown while it lives with OK, as a user would, and keeps its text.
#pragma once

#include <string>
#include <vector>

class MessageBoxes {
public:
    MessageBoxes();
    ~MessageBoxes();
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;

    // The texts of the boxes shown so far, in order; forgets them.
    std::vector<std::wstring> take();
};
