#include "inspect/frmGlyphs.h"

namespace Forms {
platform::forms::FormRef<::frmGlyphs> frmGlyphs;
}

frmGlyphs::frmGlyphs() : PaneForm("frmGlyphs") {}

void frmGlyphs::Design()
{
    PaneForm::Design();
    Caption("Glyph Viewer");
}
