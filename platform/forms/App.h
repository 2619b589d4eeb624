#pragma once
// The program itself: its folder, version and title, and the command line after its path.
#include <string>

namespace platform::forms::App {

// The program's folder, without a trailing backslash.
std::string Path();
// The program's file name without extension (the default title).
std::string EXEName();
int Major();
int Minor();
int Revision();
// Everything after the program path on the command line, as typed (leading blanks cut).
std::string Command();
// The tail of a whole command line (for tests): after the quoted or first token.
std::string CommandTail(const std::string& commandLine);

}  // namespace platform::forms::App
