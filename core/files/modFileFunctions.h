#pragma once
// File, path and shell helpers.
#include <windows.h>

#include <cstdint>
#include <string>

#include "core/KeyedCollection.h"

namespace modFileFunctions {

// Full paths, keyed by themselves (without regard to case).
using FileList = KeyedCollection<std::string>;

// The text shortened (DrawTextA with DT_MODIFYSTRING | DT_CALCRECT added to flags;
// callers pass DT_PATH_ELLIPSIS) to fit 95% of the control window's width. Nothing is
// drawn on the device context.
std::string CompactPathToControl(HWND control, const std::string& text, uint32_t flags, HDC hdc);
// The same for a control without a window of its own (a label), by its width in pixels.
std::string CompactPathToWidth(int32_t widthPixels, const std::string& text, uint32_t flags, HDC hdc);

// The shell's property sheet of a file. A path ending with a backslash names no file:
// the message "No file can be located for the selected font" is shown instead.
void ShowProperties(const std::string& path, HWND owner);

// Full paths of the folder's files that match one of the masks (separated by ";"):
// mask by mask, a path found by an earlier mask not again; hidden and system files left
// out. With recurse, then the files of each subfolder in listing order, each folder's
// own listing finished first. Hidden and system folders and reparse points (links,
// junctions, Unix symlinks under Wine) are not entered. Never fails.
FileList FindFiles(const std::string& folder, const std::string& masks, bool recurse);
// FindFiles with "*.ttf;*.fon;*.ttc".
FileList FindFontFiles(const std::string& folder, bool recurse);

// The last path component as PathFindFileNameA gives it ("/" and ":" also split).
std::string GetFileName(const std::string& path);
// The extension with its dot as PathFindExtensionA gives it; "" when there is none.
std::string GetFileExtension(const std::string& path);
// True when the text has neither ":" nor "\".
bool IsBareFileName(const std::string& text);
// True when the path's attributes can be read and it is not a folder.
bool FileExists(const std::string& path);
// True when the path's attributes can be read and it is a folder.
bool FolderExists(const std::string& path);
// text & suffix unless text already ends with suffix.
std::string AppendIfMissing(const std::string& text, const std::string& suffix);
// The platform's temporary folder, ending with "\"; "" when the platform cannot say.
std::string GetTempFolder();

}  // namespace modFileFunctions
