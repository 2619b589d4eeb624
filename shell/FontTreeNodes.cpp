#include "shell/FontTreeNodes.h"

#include "fontengine/qlFonts.h"

FontTreeNodes BuildFontTreeNodes(const qlFonts& fonts)
{
    FontTreeNodes nodes;
    nodes.fonts.reserve(static_cast<size_t>(fonts.Count()));
    for (const auto& font : fonts)
        if (font && font->Installed())
            nodes.fonts.push_back({font->DisplayName(), font->DisplayName(), FontTreeImage::Font});
    nodes.root = {kFontTreeRootKey, "All Installed: " + std::to_string(nodes.fonts.size()), FontTreeImage::Root};
    return nodes;
}
