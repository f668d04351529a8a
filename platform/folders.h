#pragma once
// Where the program finds its own data and keeps the user's.
#include <string>

// The folder that holds skin/, Font/, DefaultData/ and SDK/: the executable's folder when they were
// copied beside it (build tree), else <prefix>/share/px300 next to an installed executable's bin/,
// else the source tree the program was built from. PX300_PROGRAM_DIR overrides all three.
// Ends without a separator.
std::wstring ProgramFolder();

// $XDG_CONFIG_HOME (default ~/.config) + "/" + identity: the settings-store folder.
std::wstring ConfigFolder();
// $XDG_DATA_HOME (default ~/.local/share) + "/" + identity: the per-user data folder.
std::wstring UserDataFolder();
