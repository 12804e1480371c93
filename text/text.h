// text/text.h
//
// The text toolkit: byte-string primitives, byte buffers, lists, marker
// helpers, code-page conversions and query escaping. Include this header.
#pragma once

#include "text/bytes.h"
#include "text/codepage.h"
#include "text/escape.h"
#include "text/markers.h"
#include "text/primitives.h"
#include "text/text_list.h"
#include "text/types.h"
