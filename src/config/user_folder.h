// The per-user settings folder: folder macros, backslash paths, folder creation.
#pragma once

#include <string>

// Ids of the application-data folders a folder lookup understands.
constexpr int kUserDataFolder = 26;
constexpr int kSharedDataFolder = 35;

// Answers a folder id with a path ending in a backslash, or empty text on failure.
using FolderLookup = std::string (*)(int folderId);

// Appends a backslash unless the text is empty or already ends with one.
std::string WithTrailingBackslash(const std::string& path);

// "$User" and "$AllUsers" (exactly so spelled) name the looked-up folders;
// anything else is a literal folder. The sub-path follows, then a backslash.
std::string ResolvePath(const std::string& first, const std::string& subPath, FolderLookup lookup);

// Creates every missing folder along the path, outermost first. Failures are
// ignored: they show up when a file inside cannot be written.
void ForceFolders(const std::string& path);

// The path as the file system takes it: backslashes become slashes.
std::string NativePath(const std::string& path);
