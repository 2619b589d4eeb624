#pragma once
// The program's one font model, created by the start-up before any window loads
// and kept until the program ends.
#include <memory>

class qlMain;

namespace modMain {

extern std::shared_ptr<qlMain> FontModel;

}  // namespace modMain
