#pragma once
// The traditional PKWARE stream cipher ("ZipCrypto"): three 32-bit keys updated with CRC-32 steps.

#include <QByteArray>

#include <cstdint>

namespace vx::zip {

class PkwareCipher {
public:
    explicit PkwareCipher(const QByteArray &password);

    // Decrypts the 12-byte header in place and tells whether its last byte equals checkByte (the high
    // byte of the CRC-32, or of the DOS time when the sizes follow in a data descriptor). One in 256
    // wrong passwords passes this test; the CRC check of the data catches those.
    bool acceptHeader(char *header12, uint8_t checkByte);
    void decrypt(char *data, qint64 n);

private:
    void update(uint8_t plain);
    uint8_t streamByte() const;

    uint32_t k0_ = 0x12345678, k1_ = 0x23456789, k2_ = 0x34567890;
};

} // namespace vx::zip
