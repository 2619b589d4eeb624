#pragma once
// The traditional PKWARE stream cipher with its 12-byte encryption header.
#include <cstddef>
#include <cstdint>
#include <string>

namespace qlzip {

class ZipCrypto {
public:
    explicit ZipCrypto(const std::string& password);

    void Encrypt(unsigned char* data, size_t n);
    void Decrypt(unsigned char* data, size_t n);

    // The header that starts an encrypted member: 11 random bytes and a check byte,
    // already encrypted (advances the keys).
    std::string MakeHeader(unsigned char checkByte);
    // Decrypts a member's 12 header bytes; true when its check byte matches.
    bool CheckHeader(const unsigned char* header, unsigned char checkByte);

private:
    void Update(unsigned char plain);
    unsigned char StreamByte() const;
    uint32_t k0_, k1_, k2_;
};

}  // namespace qlzip
