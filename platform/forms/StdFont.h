#pragma once
// A font description that realises itself as an HFONT on demand (recreated after a change).
#include <windows.h>

#include <string>

namespace platform::forms {

class StdFont {
public:
    StdFont() = default;
    StdFont(std::string name, double size) : name_(std::move(name)), size_(size) {}
    StdFont(const StdFont& other);
    StdFont& operator=(const StdFont& other);
    ~StdFont();

    const std::string& Name() const { return name_; }
    void Name(const std::string& v) { name_ = v; Changed(); }
    double Size() const { return size_; }
    void Size(double v);
    bool Bold() const { return weight_ >= 600; }
    void Bold(bool v) { weight_ = v ? 700 : 400; Changed(); }
    int Weight() const { return weight_; }
    void Weight(int v) { weight_ = v; Changed(); }
    bool Italic() const { return italic_; }
    void Italic(bool v) { italic_ = v; Changed(); }
    bool Underline() const { return underline_; }
    void Underline(bool v) { underline_ = v; Changed(); }
    bool Strikethrough() const { return strike_; }
    void Strikethrough(bool v) { strike_ = v; Changed(); }
    int Charset() const { return charset_; }
    void Charset(int v) { charset_ = v; Changed(); }

    // The realised font for the screen; owned by this object.
    HFONT Handle() const;
    // The face and charset the system actually gave for this description.
    std::string RealizedName() const;
    int RealizedCharset() const;

    bool operator==(const StdFont& o) const;

private:
    void Changed();

    std::string name_ = "MS Sans Serif";
    double size_ = 8.25;
    int weight_ = 400;
    bool italic_ = false, underline_ = false, strike_ = false;
    int charset_ = DEFAULT_CHARSET;
    mutable HFONT font_ = nullptr;
};

}  // namespace platform::forms
