#include "docking/framework/Guard.h"

#include <string>

namespace dockguard {

void Report(const char* where)
{
    std::string text = "XMoorline: exception stopped in ";
    text += where ? where : "?";
    text += "\n";
    OutputDebugStringA(text.c_str());
}

}  // namespace dockguard
