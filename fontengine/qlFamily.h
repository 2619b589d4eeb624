#pragma once
// One generic family word of a font ("Roman", "Swiss", ...).
#include <string>

#include "fontengine/Property.h"

class qlFamily {
    QL_PROPERTY(std::string, Family)
};
