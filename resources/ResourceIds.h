// The numbers of the module's resources: templates, menus, bitmaps, commands and controls.
#pragma once

constexpr int IDR_COMMAND_TABLE = 101;
constexpr int IDS_HELP_FILE = 32781;
