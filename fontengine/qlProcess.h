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
    // What happens to the file of the removed font.
    enum Action : std::int32_t {
        BackUpFile = 0,       // moved into the backup folder
        RemoveForArchive = 1  // left for CreateArchive, which packs and deletes it
    };

    // The Action code, kept as its decimal text; reading it before it was set fails
    // with a type error.
    std::int32_t Process() const;
    void Process(std::int32_t code) { process_ = std::to_string(code); }

private:
    std::string process_;
};
