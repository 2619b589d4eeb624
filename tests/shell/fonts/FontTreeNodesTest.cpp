// The installed-fonts tree's nodes from the collection.
#include <gtest/gtest.h>

#include "fontengine/qlFonts.h"
#include "shell/FontTreeNodes.h"

TEST(FontTreeNodes, OneRootAndOneNodePerInstalledFontInCollectionOrder)
{
    qlFonts fonts;
    fonts.Add("Zeta", 0, "", "TrueType", true, "z.ttf");
    fonts.Add("Browsed", 0, "", "TrueType", false, "c:\\x\\b.ttf");
    fonts.Add("Alpha", 0, "", "Raster", true, "a.fon");
    FontTreeNodes nodes = BuildFontTreeNodes(fonts);
    EXPECT_EQ(nodes.root.key, "Fonts");
    EXPECT_EQ(nodes.root.text, "All Installed: 2");
    EXPECT_EQ(nodes.root.image, FontTreeImage::Root);
    ASSERT_EQ(nodes.fonts.size(), 2u);
    EXPECT_EQ(nodes.fonts[0].key, "Zeta");
    EXPECT_EQ(nodes.fonts[0].text, "Zeta");
    EXPECT_EQ(nodes.fonts[1].text, "Alpha");
    EXPECT_EQ(nodes.fonts[1].image, FontTreeImage::Font);
}

TEST(FontTreeNodes, AnEmptyCollectionGivesTheRootWithZero)
{
    qlFonts fonts;
    FontTreeNodes nodes = BuildFontTreeNodes(fonts);
    EXPECT_EQ(nodes.root.text, "All Installed: 0");
    EXPECT_TRUE(nodes.fonts.empty());
}
