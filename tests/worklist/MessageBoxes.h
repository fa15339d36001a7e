// Answers every message box the module shows while it lives with OK, as a user would, and keeps
// its text. A box with another caption, or any other waiting dialog, fails the test.
#pragma once

#include <memory>
#include <string>
#include <vector>

class InputSource;

class MessageBoxes {
public:
    MessageBoxes();
    ~MessageBoxes();
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;

    // The texts of the boxes shown so far, in order; forgets them.
    std::vector<std::wstring> take();

private:
    class Answerer;
    std::unique_ptr<Answerer> m_answerer;
    InputSource* m_previous = nullptr;
};
