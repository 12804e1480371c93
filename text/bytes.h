// text/bytes.h
//
// Operations on Bytes, the counted buffer that may hold zero bytes.
// Equality is Bytes' own operator==; two empty buffers are equal.
// Example: BytesMid({0x61,0x62,0x63}, 0, 2) == {0x61,0x62}
#pragma once

#include <cstddef>

#include "text/types.h"

namespace gavrel {

[[nodiscard]] Pos BytesLength(const Bytes& bytes);
// First n bytes; empty when n <= 0; all of them when n exceeds the length.
[[nodiscard]] Bytes BytesLeft(const Bytes& bytes, Pos n);
// n bytes from position start; a start below 1 counts as 1 (unlike TextMid),
// a negative n as 0; cut short at the end; empty when start is beyond the end.
[[nodiscard]] Bytes BytesMid(const Bytes& bytes, Pos start, Pos n);
// n zero bytes; empty when n <= 0.
[[nodiscard]] Bytes BlankBytes(Pos n);
// A copy of the n bytes at address; empty when n is 0 or address is null.
[[nodiscard]] Bytes BytesFromMemory(const void* address, std::size_t n);
// a followed by b.
[[nodiscard]] Bytes ConcatBytes(const Bytes& a, const Bytes& b);

}  // namespace gavrel
