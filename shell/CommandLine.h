#pragma once
// The one command-line argument the program takes: the path of a font package.
#include <string>

namespace CommandLine {

// The package path in the text after the program's path: one leading and then one
// trailing double quote dropped, the whole rest taken as the path when it ends in "qlp"
// (letter case ignored); "" for anything else.
std::string PackagePath(const std::string& commandTail);

}  // namespace CommandLine
