// Text helpers of the settings file: escapes for angles and spaces, trimming.
#pragma once

#include <string>

// "<" becomes "&lt;", then ">" becomes "&gt;".
std::string EscapeAngles(const std::string& text);
// "&lt;" becomes "<", then "&gt;" becomes ">".
std::string UnescapeAngles(const std::string& text);
// Every space becomes "%20".
std::string EscapeSpaces(const std::string& text);
// Every "%20" becomes a space.
std::string UnescapeSpaces(const std::string& text);
// Drops leading and trailing characters with codes 0 to 32.
std::string Trim(const std::string& text);
