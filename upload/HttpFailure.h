#pragma once
// Why a post failed. The upload window treats every failure alike; the kind is there for tests and
// diagnostics, so that a test can tell a refused redirect from a time-out.

#include "platform/Error.h"

namespace vx::http {

enum class FailureKind {
    BadUrl,          // not an http URL with a host
    Resolve,         // no IPv4 address for the host
    Connect,         // connection refused or timed out
    Send,            // the connection failed while the request went out
    Receive,         // reset, time-out, or a close before the status line
    LineTooLong,     // a reply line over the line limit
    HeaderTooLarge,  // header blocks over their cap
    BodyTooLarge,    // reply body over its cap
    ShortBody,       // the connection closed before the body's announced end
    BadChunk,        // a chunk size of more hex digits than any real size needs
    ClosedInHeader,  // a 2xx reply whose connection closed inside the header block
    Redirect,        // 3xx (not 304) or a Location header
    Status,          // any other status outside 200..299
    Body,            // the request body could not be produced (a file shrank or failed to read)
    Deadline,        // the whole exchange outlasted its deadline
};

class Failure : public vx::Error {
public:
    Failure(FailureKind kind, const QString &message) : vx::Error(message), kind_(kind) {}
    FailureKind kind() const { return kind_; }

private:
    FailureKind kind_;
};

} // namespace vx::http
