#pragma once
// The text metrics Windows reports for a face, copied into its font record.
#include <windows.h>

#include <string>

class qlFont;
class qlFonts;

namespace qlEnumeration {

// One memory device context for all the faces of a run.
class MetricsContext {
public:
    MetricsContext();
    ~MetricsContext();
    MetricsContext(const MetricsContext&) = delete;
    MetricsContext& operator=(const MetricsContext&) = delete;
    // The metrics of the face as the font mapper realises it; false when none.
    bool Read(const std::string& faceName, TEXTMETRICA& tm) const;

private:
    HDC dc_ = nullptr;
};

// Copies what the metrics say into the record, in the order the list relies on: the
// type word, pitch, family word (a word the record already has ends the step there),
// character set and characters, weight. keepTypeWord: the record's file is a
// TrueType/OpenType file, whose type word the reader decides.
void ApplyTextMetrics(qlFont& font, const TEXTMETRICA& tm, bool keepTypeWord);

// Quiet: any failure ends the step, and what was written so far stays.
void FillTextMetrics(qlFonts& fonts, const std::string& faceName, const MetricsContext& context,
                     bool keepTypeWord);

}  // namespace qlEnumeration
