#pragma once
// The bounds of the upload client. The image host is outside our control, so every wait and every
// size that a reply decides is capped: a silent or hostile server must neither freeze the window for
// ever nor make the client allocate without limit.

#include <QtGlobal>

namespace vx::http {

// Waits (milliseconds).
inline constexpr int kConnectTimeoutMs = 30'000;        // TCP connect
inline constexpr int kReplyWaitTimeoutMs = 60'000;      // each wait for reply data, and for send progress
inline constexpr int kFailedReplyWaitTimeoutMs = 2'000; // each wait while draining a reply that fails anyway
// The whole exchange, fixed before it starts: a host that trickles a byte at a time never lets a single
// wait run out, and the window is blocked for as long as the post takes.
inline constexpr int kDeadlineBaseMs = 120'000;
inline constexpr qint64 kDeadlineBodyBytesPerSecond = 64 * 1024; // one more second per 64 KiB of request body

// Sizes of what a reply may make us hold.
inline constexpr int kMaxLineLength = 16'384;             // status, header or chunk-size line, without LF
inline constexpr int kMaxHeaderBlockBytes = 256 * 1024;   // all header blocks of one reply (100s included)
inline constexpr int kMaxChunkSizeDigits = 16;            // hex digits of a chunk size; more cannot be a real size
inline constexpr qint64 kMaxReplyBodyBytes = 8LL * 1024 * 1024; // real replies are a few kilobytes
inline constexpr int kMaxCookiesPerReply = 50;
inline constexpr int kMaxCookieBytes = 4096;              // one Set-Cookie value

// Transfer pieces.
inline constexpr int kSendPieceBytes = 512 * 1024; // a photo in a few dozen reads and sends, not hundreds
inline constexpr int kReceiveBufferBytes = 32'768;

// Request header lines longer than this are folded onto continuation lines.
inline constexpr int kMaxRequestHeaderLineLength = 1024;

inline constexpr quint16 kDefaultPort = 80;

} // namespace vx::http
