#include "archive/WinZipAes.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/core_names.h>
#include <openssl/params.h>

#include <cstring>

namespace vx::zip {

struct WinZipAes::State {
    EVP_CIPHER_CTX *aes = nullptr; // AES-ECB, used to encrypt the counter blocks
    EVP_MAC *mac = nullptr;
    EVP_MAC_CTX *hmac = nullptr;   // HMAC-SHA1 keyed with the second derived key
    unsigned char counter[16] = {};
    unsigned char keystream[16] = {};
    int used = 16;

    ~State()
    {
        EVP_CIPHER_CTX_free(aes);
        EVP_MAC_CTX_free(hmac);
        EVP_MAC_free(mac);
    }
};

WinZipAes::WinZipAes() = default;
WinZipAes::~WinZipAes() = default;

bool WinZipAes::begin(const QByteArray &password, int keyBits, const char *salt, const char *verifier2)
{
    const int keyLength = keyBits / 8;
    unsigned char derived[2 * 32 + 2];
    const int derivedLength = 2 * keyLength + 2;
    if (PKCS5_PBKDF2_HMAC_SHA1(password.constData(), int(password.size()),
                               reinterpret_cast<const unsigned char *>(salt), saltSize(keyBits), 1000, derivedLength,
                               derived) != 1)
        return false;
    if (std::memcmp(derived + 2 * keyLength, verifier2, 2) != 0)
        return false;
    state_ = std::make_unique<State>();
    const EVP_CIPHER *cipher = keyBits == 128   ? EVP_aes_128_ecb()
                               : keyBits == 192 ? EVP_aes_192_ecb()
                                                : EVP_aes_256_ecb();
    state_->aes = EVP_CIPHER_CTX_new();
    state_->mac = EVP_MAC_fetch(nullptr, "HMAC", nullptr);
    state_->hmac = state_->mac ? EVP_MAC_CTX_new(state_->mac) : nullptr;
    char digest[] = "SHA1";
    const OSSL_PARAM params[] = {OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_DIGEST, digest, 0),
                                 OSSL_PARAM_construct_end()};
    if (!state_->aes || !state_->hmac || EVP_EncryptInit_ex(state_->aes, cipher, nullptr, derived, nullptr) != 1 ||
        EVP_MAC_init(state_->hmac, derived + keyLength, size_t(keyLength), params) != 1) {
        state_.reset();
        return false;
    }
    EVP_CIPHER_CTX_set_padding(state_->aes, 0);
    OPENSSL_cleanse(derived, sizeof derived);
    return true;
}

void WinZipAes::decrypt(char *data, qint64 n)
{
    State &s = *state_;
    EVP_MAC_update(s.hmac, reinterpret_cast<const unsigned char *>(data), size_t(n));
    for (qint64 i = 0; i < n; ++i) {
        if (s.used == 16) {
            // The counter is little-endian and starts at 1.
            for (int b = 0; b < 16 && ++s.counter[b] == 0; ++b) {
            }
            int outLength = 0;
            EVP_EncryptUpdate(s.aes, s.keystream, &outLength, s.counter, 16);
            s.used = 0;
        }
        data[i] = char(uint8_t(data[i]) ^ s.keystream[s.used++]);
    }
}

bool WinZipAes::authenticationMatches(const char *code10)
{
    unsigned char mac[EVP_MAX_MD_SIZE];
    size_t macLength = 0;
    if (!state_ || EVP_MAC_final(state_->hmac, mac, &macLength, sizeof mac) != 1 || macLength < 10)
        return false;
    return CRYPTO_memcmp(mac, code10, 10) == 0;
}

} // namespace vx::zip
