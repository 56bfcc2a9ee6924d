// libFuzzer target: status lines, header blocks, chunked bodies and Set-Cookie values of replies.

#include "fuzz/fuzz_http_reply_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    vxFuzzHttpReply(data, size);
    return 0;
}
