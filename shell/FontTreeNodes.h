#pragma once
// What the installed-fonts tree holds after a full load: one root and one node per font.
#include <string>
#include <vector>

class qlFonts;

// Pictures of the tree's image list.
enum class FontTreeImage { Root = 2, Font = 3 };

inline constexpr const char* kFontTreeRootKey = "Fonts";

struct FontTreeNode {
    std::string key;
    std::string text;
    FontTreeImage image = FontTreeImage::Font;
};

struct FontTreeNodes {
    FontTreeNode root;  // key "Fonts", text "All Installed: <count>"
    std::vector<FontTreeNode> fonts;  // in collection order; key and text the display name
};

// Records of font files that are not installed are not listed, nor counted.
FontTreeNodes BuildFontTreeNodes(const qlFonts& fonts);
