// Application-data folders of the desktop, found through the XDG variables.
#pragma once

#include <string>

namespace platform {

// kUserDataFolder is $XDG_CONFIG_HOME (else $HOME/.config); kSharedDataFolder is
// the first entry of $XDG_CONFIG_DIRS (else /etc/xdg). The path ends with a
// backslash; empty text for an unknown id or when no home is known.
std::string SpecialFolderPath(int folderId);

}  // namespace platform
