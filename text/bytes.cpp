#include "text/bytes.h"

#include <algorithm>

namespace gavrel {

Pos BytesLength(const Bytes& bytes) { return static_cast<Pos>(bytes.size()); }

Bytes BytesLeft(const Bytes& bytes, Pos n) {
  if (n <= 0) return {};
  const auto take = static_cast<std::size_t>(std::min(n, BytesLength(bytes)));
  return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(take));
}

Bytes BytesMid(const Bytes& bytes, Pos start, Pos n) {
  const Pos from = std::max<Pos>(start, 1);
  if (n <= 0 || from > BytesLength(bytes)) return {};
  const Pos take = std::min(n, BytesLength(bytes) - from + 1);
  const auto first = bytes.begin() + (from - 1);
  return Bytes(first, first + take);
}

Bytes BlankBytes(Pos n) {
  if (n <= 0) return {};
  return Bytes(static_cast<std::size_t>(n), 0);
}

Bytes BytesFromMemory(const void* address, std::size_t n) {
  if (address == nullptr || n == 0) return {};
  const auto* first = static_cast<const unsigned char*>(address);
  return Bytes(first, first + n);
}

Bytes ConcatBytes(const Bytes& a, const Bytes& b) {
  Bytes out;
  out.reserve(a.size() + b.size());
  out.insert(out.end(), a.begin(), a.end());
  out.insert(out.end(), b.begin(), b.end());
  return out;
}

}  // namespace gavrel
