#pragma once
// Logs the exception being handled under a source: call it inside a catch block.
#include <string>

namespace modMain {

// QlError gives its number and description, other exceptions their text, anything else
// an "unknown error".
void LogCaught(const std::string& source);

}  // namespace modMain
