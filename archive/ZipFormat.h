#pragma once
// The PKWARE ZIP records this reader understands: signatures, fixed sizes and the field offsets inside
// each fixed part. All numbers are little-endian.

#include <cstdint>

namespace vx::zip::format {

// End of central directory record: 22 fixed bytes, then the archive comment (length at offset 20).
inline constexpr uint32_t EndRecordSignature = 0x06054B50;
inline constexpr int EndRecordSize = 22;
// The end record lies within the last 64 KiB (its comment is at most 65,535 bytes); the extra slack lets
// a few dozen bytes of trailing junk after a full-length comment still be found.
inline constexpr int EndRecordSearchSpan = 65600;

// Zip64 end of central directory locator: 20 bytes right before the end record.
// Followed by nothing of its own; the end record comes next.
inline constexpr uint32_t Zip64LocatorSignature = 0x07064B50;
inline constexpr int Zip64LocatorSize = 20;

// Zip64 end of central directory record: 56 fixed bytes (an extensible data sector may follow, which
// this reader does not need).
inline constexpr uint32_t Zip64EndRecordSignature = 0x06064B50;
inline constexpr int Zip64EndRecordSize = 56;

// Central directory header: 46 fixed bytes, then name, extra field and comment (lengths at 28, 30, 32).
inline constexpr uint32_t CentralHeaderSignature = 0x02014B50;
inline constexpr int CentralHeaderSize = 46;

// Local file header: 30 fixed bytes, then name and extra field (lengths at 26 and 28), then the data.
inline constexpr uint32_t LocalHeaderSignature = 0x04034B50;
inline constexpr int LocalHeaderSize = 30;

// Data descriptor after the data when flag bit 3 is set: signature, CRC-32, compressed and uncompressed
// size (the signature is optional in the format; the recovery scan only finds descriptors that carry it).
inline constexpr uint32_t DataDescriptorSignature = 0x08074B50;
inline constexpr int DataDescriptorSize = 16;

// Extra field records: 2-byte ID, 2-byte data size, data.
inline constexpr uint16_t Zip64ExtraId = 0x0001;
inline constexpr uint16_t AesExtraId = 0x9901;
inline constexpr uint16_t UnicodeNameExtraId = 0x554E;
inline constexpr uint32_t UnicodeNameSignature = 0x5843554E;
inline constexpr int ExtraRecordHeaderSize = 4;

// General purpose flags.
inline constexpr uint16_t FlagEncrypted = 0x0001;
inline constexpr uint16_t FlagDataDescriptor = 0x0008;
inline constexpr uint16_t FlagUtf8Name = 0x0800;

// Compression methods.
inline constexpr uint16_t MethodStored = 0;
inline constexpr uint16_t MethodDeflated = 8;
inline constexpr uint16_t MethodDeflate64 = 9;
inline constexpr uint16_t MethodAes = 99;

// Field values that defer to the Zip64 extended information.
inline constexpr uint16_t Max16 = 0xFFFF;
inline constexpr uint32_t Max32 = 0xFFFFFFFF;

// External attribute bits (DOS).
inline constexpr uint32_t AttrReadOnly = 0x01;
inline constexpr uint32_t AttrDirectory = 0x10;
inline constexpr uint32_t AttrArchive = 0x20;

// "Version made by" high byte of a Unix writer: the high 16 bits of the external attributes are a mode.
inline constexpr int HostUnix = 3;

// Traditional PKWARE encryption header in front of the data; WinZip AES verifier and code around it.
inline constexpr int PkwareHeaderSize = 12;
inline constexpr int AesVerifierSize = 2;
inline constexpr int AesAuthCodeSize = 10;

} // namespace vx::zip::format
