#pragma once
// Helpers for the zip engine tests: hand-made archives (for hostile and damaged input)
// and scripted callbacks.
#include "platform/zip/ZipReader.h"
#include "platform/zip/ZipWriter.h"

#include <zlib.h>

#include <deque>
#include <string>
#include <vector>

namespace ziptest {

inline uint32_t Crc(const std::string& s)
{
    return uint32_t(crc32(0, reinterpret_cast<const Bytef*>(s.data()), uInt(s.size())));
}

inline std::string RawDeflate(const std::string& in)
{
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, uLong(in.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = uInt(in.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

// Builds an archive entry by entry, with whatever names and header values a test wants.
struct RawEntry {
    std::string name;
    std::string data;          // plain content
    uint16_t method = 0;       // 0 stored, 8 deflated, anything else written as given
    uint32_t declaredSize = 0xFFFFFFFF;  // overrides the true size when set
    uint32_t declaredCrc = 0;  // overrides the true CRC when non-zero
    uint16_t flags = 0;
    std::string extra{};       // the central record's extra field
};

inline std::string BuildArchive(const std::vector<RawEntry>& entries)
{
    std::string out, central;
    for (const RawEntry& e : entries) {
        std::string body = e.method == 8 ? RawDeflate(e.data) : e.data;
        uint32_t size = e.declaredSize != 0xFFFFFFFF ? e.declaredSize : uint32_t(e.data.size());
        uint32_t crc = e.declaredCrc ? e.declaredCrc : Crc(e.data);
        uint32_t offset = uint32_t(out.size());
        auto fields = [&](std::string& r, bool central) {
            qlzip::Put16(r, 20);
            qlzip::Put16(r, e.flags);
            qlzip::Put16(r, e.method);
            qlzip::Put16(r, 0x6000);
            qlzip::Put16(r, 0x5A21);
            qlzip::Put32(r, crc);
            qlzip::Put32(r, uint32_t(body.size()));
            qlzip::Put32(r, size);
            qlzip::Put16(r, uint16_t(e.name.size()));
            qlzip::Put16(r, central ? uint16_t(e.extra.size()) : 0);
        };
        qlzip::Put32(out, qlzip::kLocalSig);
        fields(out, false);
        out += e.name;
        out += body;
        qlzip::Put32(central, qlzip::kCentralSig);
        qlzip::Put16(central, 20);
        fields(central, true);
        qlzip::Put16(central, 0);
        qlzip::Put16(central, 0);
        qlzip::Put16(central, 0);
        qlzip::Put32(central, 0);
        qlzip::Put32(central, offset);
        central += e.name;
        central += e.extra;
    }
    uint32_t cdOffset = uint32_t(out.size());
    out += central;
    qlzip::Put32(out, qlzip::kEndSig);
    qlzip::Put16(out, 0);
    qlzip::Put16(out, 0);
    qlzip::Put16(out, uint16_t(entries.size()));
    qlzip::Put16(out, uint16_t(entries.size()));
    qlzip::Put32(out, uint32_t(central.size()));
    qlzip::Put32(out, cdOffset);
    qlzip::Put16(out, 0);
    return out;
}

// Write callbacks that answer a fixed password and count what was asked.
struct WriteScript : qlzip::ZipWriteEvents {
    std::string password;
    std::vector<bool> confirms;
    std::vector<std::string> progress;
    std::string cancelAt;
    bool Password(std::string& p, bool confirm) override
    {
        confirms.push_back(confirm);
        p = password;
        return !password.empty();
    }
    void Progress(const std::string& m) override { progress.push_back(m); }
    bool Service(const std::string& name) override { return !cancelAt.empty() && name == cancelAt; }
};

struct ReadScript : qlzip::UnzipEvents {
    std::deque<std::string> passwords;   // answers in turn; the last one repeats
    int passwordRequests = 0;
    std::deque<int32_t> answers;          // overwrite answers in turn
    std::vector<std::string> asked;
    int32_t Replace(const std::string& path) override
    {
        asked.push_back(path);
        if (answers.empty())
            return qlzip::OverwriteSkip;
        int32_t a = answers.front();
        answers.pop_front();
        return a;
    }
    bool Password(std::string& p) override
    {
        ++passwordRequests;
        if (passwords.empty())
            return false;
        p = passwords.front();
        if (passwords.size() > 1)
            passwords.pop_front();
        return true;
    }
};

}  // namespace ziptest
