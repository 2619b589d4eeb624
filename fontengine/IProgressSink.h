#pragma once
// A window that shows how far a long font operation has come. Called after every
// step; the face name is empty when the caller has none to give.
#include <cstdint>
#include <string>

struct IProgressSink {
    virtual ~IProgressSink() = default;
    virtual void ProgressUpdate(std::int32_t current, std::int32_t total, const std::string& faceName = std::string()) = 0;
};
