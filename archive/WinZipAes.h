#pragma once
// WinZip AES (AE-1 and AE-2): PBKDF2-HMAC-SHA1 with 1000 iterations derives the AES key, the HMAC key
// and a 2-byte password verifier from the password and the entry's salt; the data is AES-CTR with a
// little-endian counter starting at 1, and HMAC-SHA1 over the encrypted data, cut to 10 bytes, ends it.

#include <QByteArray>

#include <cstdint>
#include <memory>

namespace vx::zip {

class WinZipAes {
public:
    // keyBits: 128, 192 or 256.
    static int saltSize(int keyBits) { return keyBits / 16; }

    WinZipAes();
    ~WinZipAes();
    WinZipAes(const WinZipAes &) = delete;
    WinZipAes &operator=(const WinZipAes &) = delete;

    // Derives the keys; false when the password's verifier differs from the stored one.
    bool begin(const QByteArray &password, int keyBits, const char *salt, const char *verifier2);
    void decrypt(char *data, qint64 n); // also feeds the authentication code
    bool authenticationMatches(const char *code10);

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace vx::zip
