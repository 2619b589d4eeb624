// The help paragraphs of the information pane's topics.
#include <gtest/gtest.h>

#include "core/help/HelpTexts.h"

TEST(GetHelpText, TopicsCompareWithoutLetterCase)
{
    const std::string installed = modMain::GetHelpText("Installed Fonts");
    EXPECT_EQ(installed.rfind("Displays all installed fonts on your system.  You can export", 0), 0u);
    EXPECT_EQ(modMain::GetHelpText("installed fonts"), installed);
    EXPECT_EQ(modMain::GetHelpText("INSTALLED FONTS"), installed);
    EXPECT_EQ(modMain::GetHelpText("Custom Text"),
              "Use the Properties Window to set the custom text through the 'Custom Text' property");
    // The magnifier's paragraph has no blank after its first sentence.
    EXPECT_NE(modMain::GetHelpText("Font Magnifier").find("character.While"), std::string::npos);
}

TEST(GetHelpText, EveryTopicHasItsParagraphAndOthersNone)
{
    for (const char* topic : {"Installed Fonts", "Browse Fonts", "Font Magnifier", "Properties", "Character Map",
                              "Custom Text", "Process Queue", "Archive Cleanup", "Font Packager", "Export"})
        EXPECT_FALSE(modMain::GetHelpText(topic).empty()) << topic;
    EXPECT_EQ(modMain::GetHelpText("Installed"), "");
    EXPECT_EQ(modMain::GetHelpText(""), "");
    EXPECT_EQ(modMain::GetHelpText("Installed Fonts "), "");
}
