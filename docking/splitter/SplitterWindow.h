#pragma once
// What a splitter bar's window does in a frame: the sizing cursor, and a drag that resizes the
// section whose edge it is or moves the split of its block. Taken on by subclassing the bars'
// windows of a frame.
class CDockFrameBase;
class CSplitterBar;

namespace SplitterWindow {

// Subclasses every bar window of the frame's sections and block trees not yet taken on.
void AdoptAll(CDockFrameBase* frame);
bool Adopted(const CSplitterBar* bar);
// The frame is going: its bars are forgotten.
void ForgetFrame(const CDockFrameBase* frame);

}  // namespace SplitterWindow
