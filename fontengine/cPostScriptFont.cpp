#include "fontengine/cPostScriptFont.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/QlError.h"
#include "fontengine/FontFile.h"
#include "fontengine/parsers/Type1.h"

namespace {

constexpr std::int32_t kErrOverflow = 6;
constexpr std::int32_t kErrTypeMismatch = 13;

[[noreturn]] void TypeMismatch()
{
    throw QlError(kErrTypeMismatch, "cPostScriptFont", "Type mismatch");
}

std::string Trimmed(const std::string& s)
{
    auto a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos)
        return {};
    return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
}

bool ParseNumber(const std::string& text, double& out)
{
    std::string t = Trimmed(text);
    if (t.empty())
        return false;
    char* end = nullptr;
    out = std::strtod(t.c_str(), &end);
    return end == t.c_str() + t.size() && std::isfinite(out);
}

double ToDouble(const std::string& text)
{
    double v = 0;
    if (!ParseNumber(text, v))
        TypeMismatch();
    return v;
}

// Rounds to the nearest, halves to even, as the platform's integer conversion does.
std::int32_t ToInt32(const std::string& text)
{
    double v = std::nearbyint(ToDouble(text));
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        throw QlError(kErrOverflow, "cPostScriptFont", "Overflow");
    return static_cast<std::int32_t>(v);
}

bool ToBoolean(const std::string& text)
{
    std::string t = Trimmed(text);
    for (auto& c : t)
        c = static_cast<char>((c >= 'A' && c <= 'Z') ? c + 32 : c);
    if (t == "true")
        return true;
    if (t == "false")
        return false;
    return ToDouble(t) != 0;
}

}  // namespace

void cPostScriptFont::Filename(const std::string& path)
{
    filename_ = path;
    // A missing file must not answer with the previous file's values.
    lines_ = fontengine::FileExists(path) ? ReadLines(path) : std::vector<std::string>();
}

std::vector<std::string> cPostScriptFont::ReadLines(const std::string& path)
{
    fontengine::MappedFontFile file(path);
    if (!file.IsOpen())
        return {};
    return fontparsers::SplitLines(fontparsers::Type1ClearText(file.Bytes()));
}

std::string cPostScriptFont::GetValue(const char* key, const char* defaultValue) const
{
    // With nothing read there is no value, not even the default.
    if (lines_.empty())
        return {};
    std::string value = fontparsers::Type1Value(lines_, key);
    return value.empty() ? std::string(defaultValue) : value;
}

std::string cPostScriptFont::FontName() const { return GetValue("/FontName", ""); }
std::int32_t cPostScriptFont::UniqueID() const { return ToInt32(GetValue("/UniqueID", "0")); }
std::int32_t cPostScriptFont::FontType() const { return ToInt32(GetValue("/FontType", "0")); }
std::string cPostScriptFont::FamilyName() const { return GetValue("/FamilyName", ""); }
std::string cPostScriptFont::FullName() const { return GetValue("/FullName", ""); }
std::string cPostScriptFont::Notice() const { return GetValue("/Notice", ""); }
std::string cPostScriptFont::Version() const { return GetValue("/Version", ""); }
std::string cPostScriptFont::Weight() const { return GetValue("/Weight", ""); }
std::int32_t cPostScriptFont::ItalicAngle() const { return ToInt32(GetValue("/ItalicAngle", "0")); }
bool cPostScriptFont::IsFixedPitch() const { return ToBoolean(GetValue("/IsFixedPitch", "0")); }
double cPostScriptFont::UnderlinePostion() const { return ToDouble(GetValue("/UnderlinePosition", "0")); }
double cPostScriptFont::UnderlineThickness() const { return ToDouble(GetValue("/UnderlineThickness", "0")); }
