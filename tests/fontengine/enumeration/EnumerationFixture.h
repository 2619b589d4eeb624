#pragma once
// A scratch font registration (Fonts key, Type 1 key, Fonts folder) for the enumeration.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fontengine/IProgressSink.h"
#include "fontengine/enumeration/EnumerationSource.h"

namespace enumtest {

struct ProgressCall {
    int32_t current;
    int32_t total;
    std::string face;
};

struct RecordingSink : IProgressSink {
    void ProgressUpdate(int32_t current, int32_t total, const std::string& face) override
    {
        calls.push_back({current, total, face});
    }
    std::vector<ProgressCall> calls;
};

class ScratchRegistration : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void AddFont(const std::string& name, const std::string& data);
    void AddValue(const std::string& key, const std::string& name, DWORD type, const std::string& bytes);
    // A Type 1 value: type letter, metrics file, outline file.
    void AddType1(const std::string& name, const std::string& outline);

    std::string tag_;
    std::string root_;  // under HKEY_CURRENT_USER
    std::string fonts_; // scratch Fonts folder, no trailing backslash
    qlEnumeration::Source source_;
};

}  // namespace enumtest
