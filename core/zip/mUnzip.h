#pragma once
// The one unzip operation of the program: runs the engine for a cUnzip (listing or
// extracting) and turns the engine's callbacks into the cUnzip's events. One operation
// at a time; a nested call (from inside an event handler) is refused.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class cUnzip;

namespace mUnzip {

// Lists (in list mode) or extracts the include names (every entry when empty);
// returns the engine's code, 0 for success. Failures are also logged under source.
// An unexpected failure is raised again as a QlError from "QuilleryPro.VBUnzip".
int32_t VBUnzip(cUnzip& unzip, const std::vector<std::string>& include, const std::string& source);

// While a Scope lives, unzip is the current object of the callbacks below.
class Scope {
public:
    explicit Scope(cUnzip& unzip);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
    bool Refused() const { return refused_; }

private:
    bool refused_ = false;
};

// The engine's callbacks. Messages are passed on only when 1 < length < 1024.
int32_t PrintCallback(const char* text, size_t length);
// The owner's overwrite answer (cUnzipEvents::OverwriteNo when nobody changes it).
int32_t ReplaceCallback(const std::string& file);
// 1 cancels (and every later request of the run answers 1 at once).
int32_t PasswordCallback(std::string& password);
// One listed member; flags bit 6 (64) marks it encrypted. An empty name is skipped.
void MessageCallback(uint32_t size, int16_t ratio, int month, int day, int year, int hour, int minute,
                     const std::string& name, const std::string& method, uint32_t crc, uint8_t flags,
                     int64_t packedSize);
int32_t ServiceCallback(const char* text, size_t length);

// The OLE date value of a calendar date and time.
double DateValue(int year, int month, int day, int hour, int minute, int second);

}  // namespace mUnzip
