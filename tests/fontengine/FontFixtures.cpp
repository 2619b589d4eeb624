#include "fontengine/FontFixtures.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/TestEnv.h"

namespace ql::test {

namespace {

std::uint32_t Be32(const FontBytes& b, std::size_t at)
{
    return (std::uint32_t(b[at]) << 24) | (std::uint32_t(b[at + 1]) << 16) | (std::uint32_t(b[at + 2]) << 8) | b[at + 3];
}
void PutBe32(FontBytes& b, std::size_t at, std::uint32_t v)
{
    b[at] = std::uint8_t(v >> 24);
    b[at + 1] = std::uint8_t(v >> 16);
    b[at + 2] = std::uint8_t(v >> 8);
    b[at + 3] = std::uint8_t(v);
}

void ReplaceAll(FontBytes& b, const std::string& from, const std::string& to)
{
    if (from.empty() || b.size() < from.size())
        return;
    for (std::size_t i = 0; i + from.size() <= b.size(); ++i)
        if (std::equal(from.begin(), from.end(), b.begin() + i, [](char c, std::uint8_t u) { return std::uint8_t(c) == u; }))
            std::copy(to.begin(), to.end(), b.begin() + i);
}

}  // namespace

FontBytes LoadFont(const std::string& unixPath)
{
    std::string bytes = ReadFileBytes(WinPath(unixPath));
    EXPECT_FALSE(bytes.empty()) << "missing font file " << unixPath;
    return FromText(bytes);
}

FontBytes BuildCollection(const std::vector<FontBytes>& fonts)
{
    FontBytes out = {'t', 't', 'c', 'f', 0, 1, 0, 0, 0, 0, 0, 0};
    PutBe32(out, 8, static_cast<std::uint32_t>(fonts.size()));
    out.resize(12 + 4 * fonts.size());
    for (std::size_t k = 0; k < fonts.size(); ++k) {
        while (out.size() % 4)
            out.push_back(0);
        std::uint32_t base = static_cast<std::uint32_t>(out.size());
        PutBe32(out, 12 + 4 * k, base);
        FontBytes f = fonts[k];
        std::uint32_t numTables = (std::uint32_t(f[4]) << 8) | f[5];
        for (std::uint32_t i = 0; i < numTables; ++i)
            PutBe32(f, 12 + 16 * i + 8, Be32(f, 12 + 16 * i + 8) + base);
        out.insert(out.end(), f.begin(), f.end());
    }
    return out;
}

FontBytes PatchName(FontBytes font, const std::string& from, const std::string& to)
{
    EXPECT_EQ(from.size(), to.size());
    ReplaceAll(font, from, to);
    std::string from16, to16;
    for (char c : from)
        from16 += std::string(1, '\0') + c;
    for (char c : to)
        to16 += std::string(1, '\0') + c;
    ReplaceAll(font, from16, to16);
    return font;
}

std::string UniqueLetters(std::size_t length)
{
    static unsigned counter = 0;
    unsigned long long seed = (static_cast<unsigned long long>(GetTickCount()) << 20) ^
                              (static_cast<unsigned long long>(GetCurrentProcessId()) << 8) ^ counter++;
    std::string out;
    for (std::size_t i = 0; i < length; ++i) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        out += static_cast<char>('a' + (seed >> 33) % 26);
    }
    out[0] = static_cast<char>(out[0] - 32);
    return out;
}

std::string AsText(const FontBytes& b) { return std::string(b.begin(), b.end()); }
FontBytes FromText(const std::string& s) { return FontBytes(s.begin(), s.end()); }

}  // namespace ql::test
