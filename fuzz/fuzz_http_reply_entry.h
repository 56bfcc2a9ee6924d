#pragma once
// The reply side of the upload client fed from bytes: shared by the libFuzzer target and the replay
// test that runs the saved corpus and crashers under plain CTest.
//
// Input: one byte of read-piece size (0 = as much as asked), one byte of flags (bit 0: the server
// stays silent after its bytes instead of closing), then up to two replies separated by "|NEXT|";
// the second post carries the cookies of the first.

#include <cstddef>
#include <cstdint>

void vxFuzzHttpReply(const std::uint8_t *data, std::size_t size);
