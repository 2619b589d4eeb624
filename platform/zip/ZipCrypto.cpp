#include "platform/zip/ZipCrypto.h"

#include "platform/zip/ZipFormat.h"

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <random>

namespace qlzip {

namespace {

inline uint32_t CrcByte(uint32_t crc, unsigned char b)
{
    static const z_crc_t* table = get_crc_table();
    return table[(crc ^ b) & 0xFF] ^ (crc >> 8);
}

}  // namespace

ZipCrypto::ZipCrypto(const std::string& password) : k0_(0x12345678), k1_(0x23456789), k2_(0x34567890)
{
    for (unsigned char c : password)
        Update(c);
}

void ZipCrypto::Update(unsigned char plain)
{
    k0_ = CrcByte(k0_, plain);
    k1_ = (k1_ + (k0_ & 0xFF)) * 134775813u + 1;
    k2_ = CrcByte(k2_, (unsigned char)(k1_ >> 24));
}

unsigned char ZipCrypto::StreamByte() const
{
    uint32_t t = (k2_ | 2) & 0xFFFF;
    return (unsigned char)((t * (t ^ 1)) >> 8);
}

void ZipCrypto::Encrypt(unsigned char* data, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        unsigned char plain = data[i];
        data[i] = plain ^ StreamByte();
        Update(plain);
    }
}

void ZipCrypto::Decrypt(unsigned char* data, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        unsigned char plain = data[i] ^ StreamByte();
        data[i] = plain;
        Update(plain);
    }
}

std::string ZipCrypto::MakeHeader(unsigned char checkByte)
{
    // random_device alone may be deterministic on this runtime: mix in the clock.
    static std::mt19937 gen([] {
        std::random_device device;
        auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
        std::seed_seq seq{uint32_t(device()), uint32_t(now), uint32_t(uint64_t(now) >> 32)};
        return std::mt19937(seq);
    }());
    std::string header(kCryptHeaderSize, '\0');
    for (size_t i = 0; i + 1 < kCryptHeaderSize; ++i)
        header[i] = char(gen() & 0xFF);
    header[kCryptHeaderSize - 1] = char(checkByte);
    Encrypt(reinterpret_cast<unsigned char*>(header.data()), header.size());
    return header;
}

bool ZipCrypto::CheckHeader(const unsigned char* header, unsigned char checkByte)
{
    unsigned char h[kCryptHeaderSize];
    std::copy(header, header + kCryptHeaderSize, h);
    Decrypt(h, kCryptHeaderSize);
    return h[kCryptHeaderSize - 1] == checkByte;
}

}  // namespace qlzip
