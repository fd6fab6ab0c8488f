#include "config/settings_text.h"

namespace {

std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
    std::string result;
    size_t start = 0;
    for (size_t found; (found = text.find(from, start)) != std::string::npos;
         start = found + from.size()) {
        result.append(text, start, found - start);
        result += to;
    }
    result.append(text, start, std::string::npos);
    return result;
}

bool IsTrimmed(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

}  // namespace

std::string EscapeAngles(const std::string& text) {
    return ReplaceAll(ReplaceAll(text, "<", "&lt;"), ">", "&gt;");
}

std::string UnescapeAngles(const std::string& text) {
    return ReplaceAll(ReplaceAll(text, "&lt;", "<"), "&gt;", ">");
}

std::string EscapeSpaces(const std::string& text) {
    return ReplaceAll(text, " ", "%20");
}

std::string UnescapeSpaces(const std::string& text) {
    return ReplaceAll(text, "%20", " ");
}

std::string Trim(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsTrimmed(text[first])) ++first;
    while (last > first && IsTrimmed(text[last - 1])) --last;
    return text.substr(first, last - first);
}
