// A detached tmux session of fixed size on a server of its own, for running a program in a real
// terminal: keys are sent to it and its screen is read back.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class TmuxSession {
public:
    // Starts command (run by the shell) in a new session of width x height cells.
    TmuxSession(const std::string& command, int width, int height);
    ~TmuxSession();
    TmuxSession(const TmuxSession&) = delete;
    TmuxSession& operator=(const TmuxSession&) = delete;

    static bool available();

    // Text typed as it is.
    void type(const std::string& text);
    // Keys by tmux's names: "Enter", "Escape", "F10", "Tab", "BTab", "C-q", "M-m".
    void press(const std::vector<std::string>& keys);
    // A left click on a cell (0-based), sent as the terminal's mouse report.
    void click(int x, int y);
    // Two left clicks on a cell, as quickly as a double click.
    void doubleClick(int x, int y);
    // A click with Ctrl held.
    void controlClick(int x, int y);
    // The mouse moved onto a cell with no button held, sent as the terminal's motion report.
    void hover(int x, int y);
    // The terminal changes size, as when its window is resized.
    void resize(int width, int height);
    std::string capture() const;
    // Polls the screen until it holds text, or no longer does, or holds says it is as awaited; a
    // failure after a bounded number of tries shows the screen.
    testing::AssertionResult waitFor(const std::string& text);
    testing::AssertionResult waitUntilGone(const std::string& text);
    testing::AssertionResult waitUntil(const std::function<bool(const std::string& screen)>& holds) const;
    // The keys pressed, then the wait for text to show or to go.
    testing::AssertionResult pressThenWaitFor(const std::vector<std::string>& keys, const std::string& text);
    testing::AssertionResult pressThenWaitUntilGone(const std::vector<std::string>& keys, const std::string& text);

private:
    std::string tmux(const std::string& arguments) const;
    // Press and release of the left button, with a modifier's bit (16 for Ctrl) added.
    void sendClick(int x, int y, int modifier, int count = 1);

    std::string m_server;
};
