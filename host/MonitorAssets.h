// The dashboard's script and style, kept in host/monitor as files of their own and compiled into
// the host, so that the monitor serves them with no outside network and no build step of their own.
#pragma once

#include <string_view>

struct MonitorAssets {
    static const std::string_view script;
    static const std::string_view style;
};
