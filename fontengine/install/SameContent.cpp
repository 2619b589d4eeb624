#include "fontengine/install/SameContent.h"

#include <algorithm>

#include "fontengine/FontFile.h"

namespace qlInstall {

bool SameContent(const std::string& a, const std::string& b)
{
    fontengine::MappedFontFile fa(a), fb(b);
    auto x = fa.Bytes(), y = fb.Bytes();
    return !x.empty() && x.size() == y.size() && std::equal(x.begin(), x.end(), y.begin());
}

}  // namespace qlInstall
