#pragma once
// Menu accelerators of the host, so that keys typed in floating frames reach the host's menu.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct AccelRecord {
    uint8_t code = 0;     // bit 0 Ctrl, bit 1 Shift, bit 2 function key, bits 3-7 its number
    uint16_t command = 0;
    uint8_t key = 0;      // the character, or 45 for Ins
};

// The record of one menu item text ("&Open\tCtrl+O"); false when the text names no key that
// can ever match.
bool ParseAccelerator(const std::string& itemText, uint16_t command, AccelRecord& out);
// All levels of a menu, depth first, in menu order.
std::vector<AccelRecord> BuildAccelerators(HMENU menu);
// The code of a key press with the given modifier state.
uint8_t AcceleratorCode(bool ctrl, bool shift, UINT vk);
const AccelRecord* MatchAccelerator(const std::vector<AccelRecord>& records, uint8_t code, UINT vk);
