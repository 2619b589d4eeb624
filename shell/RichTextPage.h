#pragma once
// Writing a whole page of lines into a rich-text box, in one of two ways with the same
// result: line by line at the end of the box, or the page as RTF streams of a few lines.
#include <cstdint>
#include <vector>

#include "core/richtext/RtbLine.h"

namespace platform::forms {
class RichTextBox;
}

enum class PageWriting { LineByLine, RtfStreams };

// Appends the lines at the end of the box with modMain::AddLineToRTB.
void AppendPageLines(platform::forms::RichTextBox& rtb, const std::vector<RtbLine>& lines);

// Appends the lines, streamed in as short RTF documents one after the other. foreColor
// stands in for colour 0.
void StreamPage(platform::forms::RichTextBox& rtb, const std::vector<RtbLine>& lines, std::uint32_t foreColor);

// Empties the box before a page; a box holding a long text is replaced by a fresh one,
// since emptying it takes far longer than the page (true when it was replaced, so the
// caller can put its controls above the box again). Call it outside a RichTextFill.
bool EmptyBox(platform::forms::RichTextBox& rtb);

// Writes the page the way given into the emptied box.
void WritePage(platform::forms::RichTextBox& rtb, const std::vector<RtbLine>& lines, std::uint32_t foreColor,
               PageWriting how);

// While it lives the box neither draws, records undo nor notifies changes; the box is
// drawn again however the scope ends, so a failed fill never leaves it frozen.
class RichTextFill {
public:
    explicit RichTextFill(platform::forms::RichTextBox& rtb);
    ~RichTextFill();
    RichTextFill(const RichTextFill&) = delete;
    RichTextFill& operator=(const RichTextFill&) = delete;

private:
    platform::forms::RichTextBox& rtb_;
    long eventMask_ = 0;
};
