// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace kurvex {

/// The user's home folder: `$HOME` when it is an absolute path, else the
/// password entry's, else "/".
std::filesystem::path HomeDirectory();

/// The program's configuration folder: `$XDG_CONFIG_HOME/kurvex` when that
/// variable holds an absolute path, else `$HOME/.config/kurvex`. The folder is
/// not created here.
std::filesystem::path ConfigDirectory();

/// The program's data folder (recordings): `$XDG_DATA_HOME/kurvex` when that
/// variable holds an absolute path, else `$HOME/.local/share/kurvex`. The
/// folder is not created here.
std::filesystem::path DataDirectory();
/// What the program keeps between runs (the setups used last):
/// `$XDG_STATE_HOME/kurvex` when that variable holds an absolute path, else
/// `$HOME/.local/state/kurvex`. The folder is not created here.
std::filesystem::path StateDirectory();

}  // namespace kurvex
