#pragma once
// Screen metrics in twips (geometry of forms and controls is kept in twips) and the
// program-wide mouse pointer.
#include <windows.h>

namespace platform::forms {

enum MousePointerConstants { vbDefault = 0, vbArrow = 1, vbIbeam = 3, vbHourglass = 11, vbCustom = 99 };

struct Screen {
    static int TwipsPerPixelX();
    static int TwipsPerPixelY();
    static int Width();   // twips
    static int Height();  // twips
    static int MousePointer();
    // Hourglass and friends for the whole program; vbDefault gives the windows their own back.
    static void MousePointer(int pointer);
};

int PixelsToTwipsX(int px);
int PixelsToTwipsY(int px);
int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);

// The cursor for a MousePointer value (nullptr for vbDefault / unknown).
HCURSOR CursorFor(int pointer);

}  // namespace platform::forms
