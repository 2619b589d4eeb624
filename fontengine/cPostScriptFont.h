#pragma once
// The clear-text header of a PostScript Type 1 outline file, its font dictionary
// entries answered as properties.
#include <cstdint>
#include <string>
#include <vector>

class cPostScriptFont {
public:
    const std::string& Filename() const { return filename_; }
    // Reads the file; a missing file leaves no lines.
    void Filename(const std::string& path);

    std::string FontName() const;  // with its leading slash
    // The numeric and Boolean getters fail with a type error when the value is not
    // a number (or a Boolean word), also when no file was read.
    std::int32_t UniqueID() const;
    std::int32_t FontType() const;
    std::string FamilyName() const;
    std::string FullName() const;
    std::string Notice() const;
    std::string Version() const;
    std::string Weight() const;
    std::int32_t ItalicAngle() const;
    bool IsFixedPitch() const;
    double UnderlinePostion() const;
    double UnderlineThickness() const;

private:
    std::string GetValue(const char* key, const char* defaultValue) const;
    static std::vector<std::string> ReadLines(const std::string& path);

    std::string filename_;
    std::vector<std::string> lines_;
};
