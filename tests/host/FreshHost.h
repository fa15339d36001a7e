// A host on a fresh installation for one test: the framework libraries reset, the root installed
// in a temporary folder, and everything the host shows collected in output.
#pragma once

#include "host/Host.h"
#include "host/HostInstaller.h"

#include "orvane/HostState.h"
#include "support/TempRoot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

class FreshHost : public testing::Test {
protected:
    void SetUp() override
    {
        ResetOrvaneState();
        std::string error;
        ASSERT_TRUE(HostInstaller::install(HostRoot(temp.path()), error)) << error;
        host.emplace(HostRoot(temp.path()), collect());
    }
    void TearDown() override { host.reset(); }

    void start(const std::vector<std::filesystem::path>& moduleCandidates = {})
    {
        std::string error;
        ASSERT_TRUE(host->start(moduleCandidates, error)) << error;
    }

    // An output that keeps what it is given in output.
    std::function<void(const std::wstring&)> collect()
    {
        return [this](const std::wstring& line) { output.push_back(line); };
    }
    // Whether some line shown holds the text.
    bool printed(const std::wstring& text) const
    {
        return std::any_of(output.begin(), output.end(),
                           [&](const std::wstring& line) { return line.find(text) != std::wstring::npos; });
    }

    TempRoot temp;
    std::vector<std::wstring> output;
    std::optional<Host> host;
};
