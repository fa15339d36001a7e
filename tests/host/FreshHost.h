// A host on a fresh installation for one test: the framework libraries reset, the root installed
// in a temporary folder, and everything the host shows collected in output.
#pragma once

#include "host/Host.h"
#include "host/HostInstaller.h"

#include "orvane/HostState.h"
#include "support/TempRoot.h"

#include <gtest/gtest.h>

#include <optional>

class FreshHost : public testing::Test {
protected:
    void SetUp() override
    {
        ResetOrvaneState();
        std::string error;
        ASSERT_TRUE(HostInstaller::install(HostRoot(temp.path()), error)) << error;
        host.emplace(HostRoot(temp.path()), [this](const std::wstring& line) { output.push_back(line); });
    }
    void TearDown() override { host.reset(); }

    void start(const std::vector<std::filesystem::path>& moduleCandidates = {})
    {
        std::string error;
        ASSERT_TRUE(host->start(moduleCandidates, error)) << error;
    }

    TempRoot temp;
    std::vector<std::wstring> output;
    std::optional<Host> host;
};
