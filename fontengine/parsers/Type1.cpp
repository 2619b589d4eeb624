#include "fontengine/parsers/Type1.h"

#include <cstring>

namespace fontparsers {

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v' || c == '\0';
}

// A PostScript name goes on until white space or a delimiter.
bool EndsName(char c)
{
    return IsSpace(c) || std::strchr("()<>[]{}/%", c) != nullptr;
}

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool MatchAt(std::string_view line, std::size_t at, std::string_view key)
{
    if (line.size() - at < key.size())
        return false;
    for (std::size_t i = 0; i < key.size(); ++i)
        if (Lower(line[at + i]) != Lower(key[i]))
            return false;
    std::size_t end = at + key.size();
    return end == line.size() || EndsName(line[end]);
}

std::size_t FindKey(std::string_view line, std::string_view key, std::size_t from = 0)
{
    if (key.empty())
        return std::string_view::npos;
    for (std::size_t at = from; at + key.size() <= line.size(); ++at)
        if (MatchAt(line, at, key))
            return at;
    return std::string_view::npos;
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

}  // namespace

std::string Type1ClearText(Bytes file)
{
    std::string out;
    if (!file.empty() && file[0] == 0x80) {
        std::uint64_t at = 0;
        while (at < file.size()) {
            std::uint8_t marker = 0, type = 0;
            if (!ReadU8(file, at, marker) || marker != 0x80 || !ReadU8(file, at + 1, type) || type == 3)
                break;
            std::uint32_t length = 0;
            if (!ReadU32LE(file, at + 2, length))
                break;
            Bytes seg = Clip(file, at + 6, length);
            if (type == 1)
                out.append(reinterpret_cast<const char*>(seg.data()), seg.size());
            if (seg.size() < length)
                break;  // truncated file: keep what was there
            at += 6 + std::uint64_t(length);
        }
        return out;
    }
    std::string_view all(reinterpret_cast<const char*>(file.data()), file.size());
    std::size_t stop = all.find("eexec");
    return std::string(all.substr(0, stop));
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size() || lines.empty())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::string Type1Value(const std::vector<std::string>& lines, std::string_view key)
{
    for (const auto& line : lines) {
        std::size_t at = FindKey(line, key);
        if (at == std::string_view::npos)
            continue;
        // Every occurrence of the key goes, then the rest is trimmed.
        std::string rest;
        std::size_t from = 0;
        while (at != std::string_view::npos) {
            rest.append(line, from, at - from);
            from = at + key.size();
            at = FindKey(line, key, from);
        }
        rest.append(line, from, std::string::npos);
        std::string_view text = Trim(rest);

        char closing = ' ';
        if (!text.empty() && text.front() == '(') {
            closing = ')';
            text.remove_prefix(1);
        }
        std::string value;
        int depth = 1;
        for (std::size_t i = 0; i < text.size(); ++i) {
            char c = text[i];
            if (closing == ')' && c == '\\' && i + 1 < text.size()) {
                char next = text[++i];
                if (next != '(' && next != ')' && next != '\\')
                    value += '\\';
                value += next;
                continue;
            }
            if (c == '(') {
                ++depth;
            } else if (c == closing || (closing == ' ' && IsSpace(c))) {
                if (--depth == 0)
                    break;
            }
            value += c;
        }
        return value;
    }
    return {};
}

}  // namespace fontparsers
