#pragma once
// The names of the program's settings (all under modRegistry::kSettingsKey) and the
// default each is usually read with. Readers still pass their own default: a few
// settings have different defaults at different reading places (noted below).
#include <cstddef>

namespace Settings {

struct Setting {
    const char* name;
    const char* usualDefault;
};

// "True": restore the docking layout at start, save it at exit. Main window reads
// with "", the options dialog with "False".
inline constexpr Setting kWindowSettings{"window_settings", ""};
inline constexpr Setting kTitleWindow{"title_window", "True"};
// "1": show the tip of the day. The tip window reads with "".
inline constexpr Setting kTipOfDay{"tip_of_day", "1"};
inline constexpr Setting kMoveCopyAlert{"move_copy_alert", "True"};
// The font tree reads with "false", the options dialog with "".
inline constexpr Setting kCustomProof{"custom_proof", "false"};
// Milliseconds. The options dialog reads with "".
inline constexpr Setting kSlideshowSpeed{"slideshow_speed", "500"};
inline constexpr Setting kAlertInstall{"alert_install", "True"};
inline constexpr Setting kAlertUpdate{"alert_update", "True"};
inline constexpr Setting kAutoUpdate{"auto_update", "False"};
// "True" in any letter case turns the error log on.
inline constexpr Setting kLogging{"logging", "False"};
inline constexpr Setting kEnhancedTips{"enhanced_tips", "True"};
inline constexpr Setting kArchiveFont{"archive_font", ""};
// "default", "user" or "none".
inline constexpr Setting kBackupFolderOpt{"backup_folder_opt", ""};
inline constexpr Setting kBackupFolder{"backup_folder", ""};
inline constexpr Setting kPropBackColor{"prop_backcolor", "16777215"};
inline constexpr Setting kPropForeColor{"prop_forecolor", "0"};
inline constexpr Setting kPropSize{"prop_size", "14"};
inline constexpr Setting kDisplayStyle{"display_style", "1"};
// The sample-text choice, 1 to 5.
inline constexpr Setting kDisplayText{"display_text", "1"};
inline constexpr Setting kPropCustomText{"prop_customtext", "Quillery Pro"};
inline constexpr Setting kPropDisplaySizes{"prop_displaysizes", "8,10,16,24,36"};
inline constexpr Setting kMagnifierCharacter{"magnifier_character", "A"};
inline constexpr Setting kGlyphCharacter{"glyph_character", "A"};
inline constexpr Setting kBrowseFolder{"browse_folder", ""};
// A fraction, the text of a single-precision number.
inline constexpr Setting kBfSplit{"bf_split", "0.5"};
// Its default is the program's folder, known only at run time (given here as "").
inline constexpr Setting kStartupFolder{"startup_folder", ""};
inline constexpr Setting kAutoClose{"auto_close", "False"};
// "1": the package overwrite answer applies to all files.
inline constexpr Setting kPkgExtractAll{"pkg_extract_all", "0"};

inline constexpr Setting kAll[] = {
    kWindowSettings, kTitleWindow,   kTipOfDay,        kMoveCopyAlert,  kCustomProof,        kSlideshowSpeed,
    kAlertInstall,   kAlertUpdate,   kAutoUpdate,      kLogging,        kEnhancedTips,       kArchiveFont,
    kBackupFolderOpt, kBackupFolder, kPropBackColor,   kPropForeColor,  kPropSize,           kDisplayStyle,
    kDisplayText,    kPropCustomText, kPropDisplaySizes, kMagnifierCharacter, kGlyphCharacter, kBrowseFolder,
    kBfSplit,        kStartupFolder, kAutoClose,       kPkgExtractAll,
};
inline constexpr std::size_t kCount = sizeof(kAll) / sizeof(kAll[0]);
static_assert(kCount == 28);

}  // namespace Settings
