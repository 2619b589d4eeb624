#pragma once
// One queued removal of an installed font.
#include <cstdint>
#include <string>

#include "fontengine/Property.h"

class qlProcess {
    QL_PROPERTY(bool, Success)
    QL_PROPERTY(std::string, Filename)
    QL_PROPERTY(std::string, FaceName)

public:
    // Operation code: 0 back the file up, 1 remove it for archiving. Kept as its
    // decimal text; reading it before it was set fails with a type error.
    std::int32_t Process() const;
    void Process(std::int32_t code) { process_ = std::to_string(code); }

private:
    std::string process_;
};
