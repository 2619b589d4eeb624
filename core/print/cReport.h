#pragma once
// Prints the rows of a list view as a paged report: a header with title, date and
// item count, column captions, item rows (optionally gridded and shaded) and a page
// footer with the page number. Measures are in inches.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class cReport {
public:
    // What a list view shows, read once before printing.
    struct Rows {
        std::vector<std::string> columns;
        std::vector<std::vector<std::string>> items;  // text, then the sub-items
        bool checkBoxes = false;
        std::vector<bool> checked;
    };
    static Rows ReadListView(HWND listView);

    void PrintFlexGrid(HWND fxToPrint, float sngRowSpacing, int16_t intItemFontSize, const std::string& strHeader,
                       int32_t Orientation, bool ShowGrid, bool AutoWidth) {}
    void PrintListView(HWND lvToPrint, float sngRowSpacing, int16_t intItemFontSize, const std::string& strHeader,
                       int32_t Orientation, bool ShowGrid, bool AutoWidth);
    // The same over rows already read.
    void PrintRows(const Rows& rows, float sngRowSpacing, int16_t intItemFontSize, const std::string& strHeader,
                   int32_t Orientation, bool ShowGrid, bool AutoWidth);

    std::function<void()> PrintComplete;
    std::function<void()> PrintError;

    // Pieces of a sub-item too wide for its column: as many characters as fit, each but
    // the last followed by "-". Never fewer than one character a piece.
    static std::vector<std::string> Chunks(const std::string& text, int perLine);
};
