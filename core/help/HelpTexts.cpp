#include "core/help/HelpTexts.h"

#include <windows.h>

namespace modMain {

namespace {

struct HelpTopic {
    const char* topic;
    const char* text;
};

constexpr HelpTopic kTopics[] = {
    {"Installed Fonts",
     "Displays all installed fonts on your system.  You can export your font list to HTML or RTF, display the "
     "Windows property dialog for a given font, run a slideshow to loop through the fonts (note: slideshow speed "
     "can be controlled via the Options form), display Quillery Pro's property viewer, and uninstall the fonts "
     "from your system."},
    {"Process Queue",
     "Process queue allows a centralized location for the removal of fonts.  The 'Start Processing' button will "
     "perform all actions currently located in the queue."},
    {"Browse Fonts",
     "Lets you view a directory of fonts from a folder, CD, or network folder.  These fonts do not have to be "
     "already installed as Quillery Pro will properly handle the displaying of the selected font.  The slideshow "
     "feature is available to loop through the fonts (note: slideshow speed can be controlled via the Options "
     "form)."},
    {"Character Map",
     "Displays all 255 characters for a given font.  The size of displayed font is controlled by the Size "
     "Property from the Properties window.  If you want to get a better look at any character, select the "
     "character and press the 'Full Screen' button on the toolbar."},
    {"Font Magnifier",
     "Display a larger, scaled version of a selected character.While the Magnifier form is in focus, pressing any "
     "key on the keyboard will switch characters"},
    {"Properties",
     "Control, set, and view the properties of a given font.  From here you can control the foreground and "
     "background colors, font size, text display, and font styles being displayed in the viewer."},
    {"Archive Cleanup",
     "Clean up all the backed up fonts that have been uninstalled from the system.  This will permanently remove "
     "the fonts from the system"},
    {"Export", "Export the installed system font list to either an HTML or Rich Text Format (RTF) file."},
    {"Font Packager",
     "The font packager will create a single file (*.qlp) with all the selected fonts.  From here you can add, "
     "remove, and view the contents of a font package file."},
    {"Custom Text", "Use the Properties Window to set the custom text through the 'Custom Text' property"},
};

}  // namespace

std::string GetHelpText(const std::string& topic)
{
    for (const HelpTopic& t : kTopics)
        if (lstrcmpiA(t.topic, topic.c_str()) == 0)
            return t.text;
    return {};
}

}  // namespace modMain
