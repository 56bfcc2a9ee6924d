#include "archive/EntryExtractor.h"

#include "archive/ByteCursor.h"
#include "archive/PkwareCipher.h"
#include "archive/WinZipAes.h"
#include "archive/ZipError.h"
#include "archive/ZipFormat.h"
#include "platform/CodePage.h"

#include <zlib.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace vx::zip {
namespace {

constexpr qint64 StoredPiece = 65535;
constexpr qint64 CompressedPiece = qint64(1) << 20;
constexpr qint64 InflateOutPiece = qint64(256) << 10;
// Deflate cannot expand by more than 1032:1 (a 258-byte match in under two bits), so a declared size
// beyond that for the compressed bytes at hand is a lie and must not size a reservation.
constexpr uint64_t MaxDeflateRatio = 1032;

[[noreturn]] void fail(int code = ErrExtractFailed) { throw EZipError::make(code); }

int aesKeyBits(Encryption e)
{
    switch (e) {
    case Encryption::Aes128: return 128;
    case Encryption::Aes192: return 192;
    case Encryption::Aes256: return 256;
    default: return 0;
    }
}

// Decrypts on the way, counts and checks what comes out.
class Pipeline {
public:
    Pipeline(OutputSink &sink, uint64_t declared) : sink_(sink), declared_(declared) {}
    PkwareCipher *pkware = nullptr;
    WinZipAes *aes = nullptr;

    void decrypt(char *data, qint64 n)
    {
        if (pkware)
            pkware->decrypt(data, n);
        else if (aes)
            aes->decrypt(data, n);
    }
    void put(const char *data, qint64 n)
    {
        if (n <= 0)
            return;
        account(data, n);
        if (!sink_.write(data, n))
            fail(ErrDiskFull);
    }
    // Output that the producer wrote straight into the sink's span.
    void account(const char *data, qint64 n)
    {
        // Stop the moment the output passes the declared size: a 10-byte entry must not fill the disk.
        if (uint64_t(n) > declared_ - count_)
            fail();
        crc_ = crc32_z(crc_, reinterpret_cast<const Bytef *>(data), size_t(n));
        count_ += uint64_t(n);
    }
    // The most output worth room for now: one byte past the declared size is enough to see a lie.
    qint64 room(qint64 piece) const
    {
        const uint64_t left = declared_ - count_;
        return left < uint64_t(piece) ? qint64(left) + 1 : piece;
    }
    OutputSink &sink() { return sink_; }
    uint64_t count() const { return count_; }
    uint32_t crc() const { return uint32_t(crc_); }

private:
    OutputSink &sink_;
    uint64_t declared_;
    uint64_t count_ = 0;
    uLong crc_ = crc32(0, nullptr, 0);
};

struct Inflater {
    z_stream z{};
    bool ready = false;
    Inflater()
    {
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
            fail();
        ready = true;
    }
    ~Inflater()
    {
        if (ready)
            inflateEnd(&z);
    }
};

void copyStored(ArchiveFile &file, qint64 pos, uint64_t length, Pipeline &out)
{
    QByteArray piece(qsizetype(std::min<uint64_t>(length, StoredPiece)), Qt::Uninitialized);
    while (length > 0) {
        const qint64 n = std::min(qint64(std::min<uint64_t>(length, StoredPiece)), out.room(StoredPiece));
        char *direct = out.sink().span(n);
        const qint64 got = file.readAt(pos, direct ? direct : piece.data(), n);
        if (got <= 0) {
            if (direct)
                out.sink().commit(0);
            return; // the data ends early; the size check reports it
        }
        if (direct) {
            out.decrypt(direct, got);
            out.account(direct, got);
            out.sink().commit(got);
        } else {
            out.decrypt(piece.data(), got);
            out.put(piece.constData(), got);
        }
        pos += got;
        length -= uint64_t(got);
    }
}

void inflateData(ArchiveFile &file, qint64 pos, uint64_t length, Pipeline &out)
{
    Inflater inflater;
    z_stream &z = inflater.z;
    QByteArray in(qsizetype(std::min<uint64_t>(std::max<uint64_t>(length, 1), CompressedPiece)), Qt::Uninitialized);
    QByteArray outPiece(qsizetype(InflateOutPiece), Qt::Uninitialized);
    bool inputDone = false;
    for (;;) {
        if (z.avail_in == 0 && !inputDone) {
            const qint64 n = qint64(std::min<uint64_t>(length, CompressedPiece));
            const qint64 got = n > 0 ? file.readAt(pos, in.data(), n) : 0;
            if (got <= 0) {
                inputDone = true;
            } else {
                out.decrypt(in.data(), got);
                z.next_in = reinterpret_cast<Bytef *>(in.data());
                z.avail_in = uInt(got);
                pos += got;
                length -= uint64_t(got);
                if (length == 0)
                    inputDone = true;
            }
        }
        const qint64 room = out.room(InflateOutPiece);
        char *direct = out.sink().span(room);
        char *target = direct ? direct : outPiece.data();
        z.next_out = reinterpret_cast<Bytef *>(target);
        z.avail_out = uInt(room);
        const int r = inflate(&z, Z_NO_FLUSH);
        const qint64 produced = room - qint64(z.avail_out);
        if (direct) {
            out.account(direct, produced);
            out.sink().commit(produced);
        } else {
            out.put(outPiece.constData(), produced);
        }
        if (r == Z_STREAM_END)
            return;
        if (r == Z_BUF_ERROR) {
            // No progress possible: out of input at the end of the data is not an error of its own;
            // the size check decides.
            if (z.avail_in == 0 && inputDone)
                return;
            continue;
        }
        if (r != Z_OK)
            fail();
        if (z.avail_in == 0 && inputDone && z.avail_out != 0)
            return;
    }
}

// The password dialog hands over text; both ciphers take the bytes the program's ANSI text makes of it
// (code page 1251), as the archives our users open were encrypted by writers that work the same way.
QByteArray passwordBytes(const QString &password) { return codepage::toAnsi(password); }

} // namespace

ExtractOutcome extractEntry(ArchiveFile &file, const TDirItem &item, qint64 directoryStart, PasswordSource &passwords,
                            OutputSink &sink, const ExtractLimits &limits)
{
    const uint64_t declared = item.uncompressedSize();
    if (declared > limits.maxDeclaredSize)
        fail();

    const uint64_t headerAt = item.localHeaderOffset();
    char local[format::LocalHeaderSize];
    if (headerAt > uint64_t(file.size()) || !file.readExactAt(qint64(headerAt), local, sizeof local))
        fail();
    ByteCursor lc(local, sizeof local);
    lc.skip(26);
    const uint16_t nameLength = lc.u16();
    const uint16_t extraLength = lc.u16();
    qint64 dataStart = qint64(headerAt) + format::LocalHeaderSize + nameLength + extraLength;

    uint64_t compressed = item.compressedSize();
    // Data cannot run into the directory: a lying size is cut there (and the checks below catch it).
    const qint64 limit = std::min(directoryStart, file.size());
    const uint64_t room = dataStart < limit ? uint64_t(limit - dataStart) : 0;
    compressed = std::min(compressed, room);

    Pipeline out(sink, declared);
    std::optional<PkwareCipher> pkware;
    WinZipAes aes;
    qint64 aesCodeAt = -1;
    if (item.isEncrypted()) {
        if (item.encryption == Encryption::Pkware) {
            if (compressed < uint64_t(format::PkwareHeaderSize))
                fail();
            char header[format::PkwareHeaderSize];
            if (!file.readExactAt(dataStart, header, sizeof header))
                fail();
            const uint8_t check = (item.flags & format::FlagDataDescriptor) ? uint8_t(item.dosTime >> 8)
                                                                           : uint8_t(item.crc32 >> 24);
            for (;;) {
                const QString password = passwords.password();
                if (!password.isEmpty()) {
                    PkwareCipher cipher(passwordBytes(password));
                    char trial[format::PkwareHeaderSize];
                    std::copy(header, header + sizeof header, trial);
                    if (cipher.acceptHeader(trial, check)) {
                        pkware = cipher;
                        break;
                    }
                }
                if (!passwords.askAgain(item.name))
                    return ExtractOutcome::Skipped;
            }
            dataStart += format::PkwareHeaderSize;
            compressed -= format::PkwareHeaderSize;
            out.pkware = &*pkware;
        } else {
            const int bits = aesKeyBits(item.encryption);
            if (bits == 0)
                fail();
            const int saltSize = WinZipAes::saltSize(bits);
            const uint64_t overhead = uint64_t(saltSize + format::AesVerifierSize + format::AesAuthCodeSize);
            if (compressed < overhead)
                fail();
            char saltAndVerifier[16 + format::AesVerifierSize];
            if (!file.readExactAt(dataStart, saltAndVerifier, saltSize + format::AesVerifierSize))
                fail();
            for (;;) {
                if (aes.begin(passwordBytes(passwords.password()), bits, saltAndVerifier, saltAndVerifier + saltSize))
                    break;
                if (!passwords.askAgain(item.name))
                    return ExtractOutcome::Skipped;
            }
            dataStart += saltSize + format::AesVerifierSize;
            compressed -= overhead;
            aesCodeAt = dataStart + qint64(compressed);
            out.aes = &aes;
        }
    }

    const uint16_t method = item.actualMethod;
    if (method == format::MethodDeflate64)
        throw EZipError::make(ErrDeflate64);
    if (method != format::MethodStored && method != format::MethodDeflated)
        fail();

    // Reserve no more than the data at hand can possibly produce.
    const uint64_t possible = method == format::MethodStored ? compressed
                              : compressed > UINT64_MAX / MaxDeflateRatio ? UINT64_MAX
                                                                          : compressed * MaxDeflateRatio + 64;
    // Photos barely compress; a larger expansion is possible but not worth preparing memory for.
    constexpr uint64_t LikelyRatio = 8;
    const uint64_t likely = compressed > UINT64_MAX / LikelyRatio ? UINT64_MAX : compressed * LikelyRatio + (1 << 20);
    sink.expect(std::min(declared, possible), std::min(declared, likely));

    if (method == format::MethodStored)
        copyStored(file, dataStart, compressed, out);
    else
        inflateData(file, dataStart, compressed, out);

    if (out.count() != declared)
        fail();
    if (item.isAes()) {
        char code[format::AesAuthCodeSize];
        if (!file.readExactAt(aesCodeAt, code, sizeof code) || !aes.authenticationMatches(code))
            fail();
    } else if (out.crc() != item.crc32) {
        fail();
    }
    return ExtractOutcome::Extracted;
}

} // namespace vx::zip
