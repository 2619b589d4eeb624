#include "shell/StartupSettings.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "fontengine/qlDisplay.h"

namespace StartupSettings {
namespace {

std::string Trim(const std::string& s)
{
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t'))
        ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t'))
        --b;
    return s.substr(a, b - a);
}

std::optional<double> ToNumber(const std::string& text)
{
    const std::string t = Trim(text);
    if (t.empty())
        return std::nullopt;
    if (t.size() > 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h')) {
        // Hex is a 32-bit pattern: &HFFFFFFFF is -1.
        if (t.size() > 10)
            return std::nullopt;
        unsigned long v = 0;
        for (size_t i = 2; i < t.size(); ++i) {
            if (!std::isxdigit(static_cast<unsigned char>(t[i])))
                return std::nullopt;
            v = v * 16 + static_cast<unsigned long>(std::isdigit(static_cast<unsigned char>(t[i]))
                                                       ? t[i] - '0'
                                                       : std::toupper(static_cast<unsigned char>(t[i])) - 'A' + 10);
        }
        return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
    }
    size_t i = 0;
    if (t[i] == '+' || t[i] == '-')
        ++i;
    bool digits = false, point = false;
    for (; i < t.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(t[i])))
            digits = true;
        else if (t[i] == '.' && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (!digits)
        return std::nullopt;
    return std::strtod(t.c_str(), nullptr);
}

template <class T>
std::optional<T> Rounded(const std::string& text)
{
    auto v = ToNumber(text);
    if (!v || !std::isfinite(*v))
        return std::nullopt;
    const double r = std::nearbyint(*v);  // the default mode rounds halves to even
    if (r < static_cast<double>(std::numeric_limits<T>::min()) || r > static_cast<double>(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(r);
}

}  // namespace

std::optional<std::int32_t> ToLong(const std::string& text) { return Rounded<std::int32_t>(text); }
std::optional<std::int16_t> ToInteger(const std::string& text) { return Rounded<std::int16_t>(text); }

std::string PresetText(const std::string& preset, const std::string& customText)
{
    const std::string& p = preset;
    if (p == "1")
        return "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz";
    if (p == "2")
        return "ABCDEFGHIJKLMNOPQRSTUVWXYZ<>abcdefghijklmnopqrstuvwxyz";
    if (p == "3")
        return "0123456789!@#$%^&*()~-_+=:;\"',<.>/?";
    if (p == "4")
        return "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz 0123456789";
    if (p == "5")
        return customText;
    return std::string();
}

void Apply(qlDisplay& d, const Reader& read)
{
    // A number that does not convert would leave a black-on-black or zero-size preview:
    // it takes its default instead.
    auto number = [&](const char* name, const char* def) {
        auto v = ToLong(read(name, def));
        return v ? *v : *ToLong(def);
    };
    auto integer = [&](const char* name, const char* def) {
        auto v = ToInteger(read(name, def));
        return v ? *v : *ToInteger(def);
    };
    d.CurrentView(qlDisplay::ViewNothing);
    d.CharacterSet(1);
    d.FontType(qlDisplay::FilterAll);
    d.BackColor(static_cast<std::uint32_t>(number("prop_backcolor", "16777215")));
    d.ForeColor(static_cast<std::uint32_t>(number("prop_forecolor", "0")));
    d.FontName("Arial");
    d.FontSize(integer("prop_size", "14"));
    d.Style(integer("display_style", "1"));
    d.CustomText(read("prop_customtext", "Quillery Pro"));
    d.Text(PresetText(read("display_text", "1"), d.CustomText()));
    d.DisplaySizes(read("prop_displaysizes", "8,10,16,24,36"));
}

}  // namespace StartupSettings
