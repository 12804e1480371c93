// text/types.h
//
// The value types every subsystem passes around.
//   Text  - a byte string in the program's code page (GB18030, a superset of
//           GBK: every GBK character keeps its two bytes). Never holds a zero
//           byte once it comes out of a toolkit operation. Empty == absent.
//   Bytes - a counted byte buffer that may hold zero bytes. Empty == absent.
//   Pos   - a 1-based byte position or a length; -1 means "not found".
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace gavrel {

using Text = std::string;
using Bytes = std::vector<unsigned char>;
using Pos = std::ptrdiff_t;

inline constexpr Pos kNotFound = -1;

}  // namespace gavrel
