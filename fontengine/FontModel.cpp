#include "fontengine/FontModel.h"

#include "fontengine/qlMain.h"

namespace modMain {

std::shared_ptr<qlMain> FontModel;

}  // namespace modMain
