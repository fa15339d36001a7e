// Message boxes answered for the tests: an input source that, whenever a loop waits, reads the
// text of the message box on top and presses its OK button.
#include "MessageBoxes.h"

#include "win/Automation.h"

#include "kernel/Text.h"

#include <gtest/gtest.h>

#include <utility>

class MessageBoxes::Answerer : public InputSource {
public:
    std::vector<std::wstring> texts;

    bool runNextAction() override
    {
        for (HWND window : Automation::topLevelWindows()) {
            const WindowInfo box = Automation::describe(window);
            if (box.className != WC_DIALOG || box.text != L"Serion")
                continue;
            for (HWND child : Automation::children(window)) {
                const WindowInfo item = Automation::describe(child);
                if (item.className == L"Static" && !(item.style & SS_ICON))
                    texts.push_back(item.text);
            }
            return static_cast<bool>(Automation::click(window, IDOK));
        }
        return false;
    }

    void waitForInput(int) override {}

    void reportStall(HWND, const std::wstring& snapshot) override
    {
        ADD_FAILURE() << "a window waits for input nobody gives:\n" << WideToUtf8(snapshot);
    }
};

MessageBoxes::MessageBoxes() : m_answerer(std::make_unique<Answerer>())
{
    m_previous = Automation::setInputSource(m_answerer.get());
}

MessageBoxes::~MessageBoxes() { Automation::setInputSource(m_previous); }

std::vector<std::wstring> MessageBoxes::take() { return std::exchange(m_answerer->texts, {}); }
