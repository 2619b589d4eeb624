#pragma once
// Text rules shared by the zip and unzip callbacks.
#include <cstddef>
#include <string>

namespace zipcallback {

// Blanks removed at both ends (answers typed by the user).
inline std::string Trim(const std::string& s)
{
    size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos)
        return std::string();
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

// File names the libraries pass on are taken only between 1 and 1024 characters.
inline bool InWindow(size_t length) { return length > 1 && length < 1024; }

}  // namespace zipcallback
