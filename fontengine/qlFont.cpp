#include "fontengine/qlFont.h"

const std::shared_ptr<qlFamilies>& qlFont::Families()
{
    if (!families_)
        families_ = std::make_shared<qlFamilies>();
    return families_;
}
