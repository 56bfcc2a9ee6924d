#include "archive/PkwareCipher.h"


#include <array>

namespace vx::zip {
namespace {

const std::array<uint32_t, 256> &crcTable()
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    return table;
}

inline uint32_t crcStep(uint32_t crc, uint8_t b) { return crcTable()[(crc ^ b) & 0xFF] ^ (crc >> 8); }

} // namespace

PkwareCipher::PkwareCipher(const QByteArray &password)
{
    for (const char c : password)
        update(uint8_t(c));
}

void PkwareCipher::update(uint8_t plain)
{
    k0_ = crcStep(k0_, plain);
    k1_ = (k1_ + (k0_ & 0xFF)) * 134775813u + 1;
    k2_ = crcStep(k2_, uint8_t(k1_ >> 24));
}

uint8_t PkwareCipher::streamByte() const
{
    const uint32_t t = (k2_ | 2) & 0xFFFF;
    return uint8_t((t * (t ^ 1)) >> 8);
}

void PkwareCipher::decrypt(char *data, qint64 n)
{
    for (qint64 i = 0; i < n; ++i) {
        const uint8_t plain = uint8_t(data[i]) ^ streamByte();
        update(plain);
        data[i] = char(plain);
    }
}

bool PkwareCipher::acceptHeader(char *header12, uint8_t checkByte)
{
    decrypt(header12, 12);
    return uint8_t(header12[11]) == checkByte;
}

} // namespace vx::zip
