#include "docking/frame/Accelerators.h"

#include <cctype>
#include <cstdlib>

namespace {

uint8_t FunctionKeyCode(int n) { return static_cast<uint8_t>(4 | (((n + 64) * 8) & 0xFF)); }

bool ParseFunctionKey(const std::string& name, int& n)
{
    if (name.size() < 2 || (name[0] != 'F' && name[0] != 'f'))
        return false;
    for (size_t i = 1; i < name.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return false;
    n = std::atoi(name.c_str() + 1);
    return n >= 1 && n <= 24;
}

}  // namespace

bool ParseAccelerator(const std::string& itemText, uint16_t command, AccelRecord& out)
{
    const size_t tab = itemText.find('\t');
    if (tab == std::string::npos)
        return false;
    const std::string accel = itemText.substr(tab + 1);
    out = AccelRecord{};
    out.command = command;
    if (accel.find("Ctrl+") != std::string::npos) out.code |= 1;
    if (accel.find("Shift+") != std::string::npos) out.code |= 2;
    const size_t plus = accel.find_last_of('+');
    const std::string name = plus == std::string::npos ? accel : accel.substr(plus + 1);
    int n = 0;
    if (ParseFunctionKey(name, n)) {
        out.code |= FunctionKeyCode(n);
        return true;
    }
    if (!(out.code & 3))
        return false;  // a plain key without modifier is the menu's own business
    if (name.size() == 1) {
        out.key = static_cast<uint8_t>(std::toupper(static_cast<unsigned char>(name[0])));
        return true;
    }
    if (name == "Ins") {
        out.key = 45;
        return true;
    }
    return false;
}

std::vector<AccelRecord> BuildAccelerators(HMENU menu)
{
    std::vector<AccelRecord> out;
    if (!menu)
        return out;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            auto inner = BuildAccelerators(sub);
            out.insert(out.end(), inner.begin(), inner.end());
            continue;
        }
        char text[129] = {};
        if (GetMenuStringA(menu, i, text, 128, MF_BYPOSITION) <= 0)
            continue;
        AccelRecord r;
        if (ParseAccelerator(text, static_cast<uint16_t>(GetMenuItemID(menu, i)), r))
            out.push_back(r);
    }
    return out;
}

uint8_t AcceleratorCode(bool ctrl, bool shift, UINT vk)
{
    uint8_t code = (ctrl ? 1 : 0) | (shift ? 2 : 0);
    if (vk >= VK_F1 && vk <= VK_F24)
        code |= FunctionKeyCode(static_cast<int>(vk - VK_F1 + 1));
    return code;
}

const AccelRecord* MatchAccelerator(const std::vector<AccelRecord>& records, uint8_t code, UINT vk)
{
    const bool fkey = vk >= VK_F1 && vk <= VK_F24;
    for (const AccelRecord& r : records)
        if (r.code == code && (fkey || r.key == vk))
            return &r;
    return nullptr;
}
