#pragma once
#include <string>

namespace qlInstall {

// Whether two files hold the same bytes (false when either cannot be read).
bool SameContent(const std::string& a, const std::string& b);

}  // namespace qlInstall
