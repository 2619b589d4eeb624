#pragma once
// The one zip operation of the program: runs the engine for a cZip and turns the
// engine's callbacks into the cZip's events. One operation at a time; a nested call
// (from inside an event handler) is refused.
#include <cstddef>
#include <cstdint>
#include <string>

class cZip;

namespace mZip {

// The password buffer the engine offers: answers are cut to one byte less.
constexpr int32_t kPasswordBuffer = 255;

// Runs one operation for zip (adding, or deleting while its delete flag is set) and
// returns the engine's code, 0 for success. Failures are also logged under source.
int32_t VBZip(cZip& zip, const std::string& source);

// While a Scope lives, zip is the current object and the callbacks below raise its
// events; the cancel latch and the password-asked flag start cleared.
class Scope {
public:
    explicit Scope(cZip& zip);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
    bool Refused() const { return refused_; }

private:
    bool refused_ = false;
};

// The engine's callbacks. A message is passed on only when 1 < length < 1024.
int32_t PrintCallback(const char* text, size_t length);
// 1 when the owner cancelled.
int32_t ServiceCallback(const char* text, size_t length);
// 1 cancels; 0 with the password in password.
int32_t PasswordCallback(std::string& password, int32_t bufferSize);
int32_t CommentCallback(std::string& comment);

}  // namespace mZip
