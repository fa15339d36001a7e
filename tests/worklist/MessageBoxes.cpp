// Message boxes answered for the tests.
#include "MessageBoxes.h"

std::vector<std::wstring>& StubMessageBoxTexts();

MessageBoxes::MessageBoxes() { StubMessageBoxTexts().clear(); }

MessageBoxes::~MessageBoxes() = default;

std::vector<std::wstring> MessageBoxes::take()
{
    auto texts = std::move(StubMessageBoxTexts());
    StubMessageBoxTexts().clear();
    return texts;
}
