#include "core/richtext/RtfDocument.h"

#include <unordered_map>
#include <vector>

namespace {

void AppendEscaped(std::string& out, const std::string& text)
{
    static const char hex[] = "0123456789abcdef";
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '\\':
        case '{':
        case '}':
            out += '\\';
            out += static_cast<char>(c);
            break;
        case '\t':
            out += "\\tab ";
            break;
        case '\r':
            // CR LF, CR alone and LF alone each break the paragraph, as an insertion would.
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            [[fallthrough]];
        case '\n':
            out += "\\par ";
            break;
        default:
            if (c >= 0x80 || c < 0x20) {
                out += "\\'";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += static_cast<char>(c);
            }
        }
    }
}

// Small indexed tables of the distinct faces and colours, in order of first use.
template <class K>
class IndexTable {
public:
    int IndexOf(const K& key)
    {
        auto [it, added] = index_.try_emplace(key, static_cast<int>(order_.size()));
        if (added)
            order_.push_back(key);
        return it->second;
    }
    const std::vector<K>& Keys() const { return order_; }

private:
    std::unordered_map<K, int> index_;
    std::vector<K> order_;
};

}  // namespace

std::string BuildRtf(std::span<const RtbLine> lines, std::uint32_t foreColor, unsigned codePage)
{
    IndexTable<std::string> faces;
    IndexTable<std::uint32_t> colours;
    std::string body;
    body.reserve(lines.size() * 64);
    for (const RtbLine& l : lines) {
        int f = faces.IndexOf(l.fontName);
        int c = colours.IndexOf(l.colour == 0 ? foreColor : l.colour) + 1;  // \cf0 is "auto"
        TextEffects e = EffectsOf(l.style1, l.style2);
        body += "\\plain\\f";
        body += std::to_string(f);
        body += "\\fs";
        body += std::to_string(static_cast<int>(l.size) * 2);
        body += "\\cf";
        body += std::to_string(c);
        if (e.bold)
            body += "\\b";
        if (e.italic)
            body += "\\i";
        if (e.underline)
            body += "\\ul";
        body += ' ';
        AppendEscaped(body, l.text);
        body += "\\par\n";
    }

    std::string rtf = "{\\rtf1\\ansi\\ansicpg" + std::to_string(codePage) + "\\deff0{\\fonttbl";
    const auto& faceList = faces.Keys();
    for (size_t i = 0; i < faceList.size(); ++i) {
        // Character set 1 (default): the font mapper picks the face's own, as for a symbol font.
        rtf += "{\\f" + std::to_string(i) + "\\fnil\\fcharset1 ";
        AppendEscaped(rtf, faceList[i]);
        rtf += ";}";
    }
    rtf += "}{\\colortbl;";
    for (std::uint32_t c : colours.Keys()) {
        rtf += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) + "\\blue" +
               std::to_string((c >> 16) & 0xFF) + ";";
    }
    rtf += "}\n";
    rtf += body;
    rtf += "}";
    return rtf;
}
