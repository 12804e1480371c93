// http/messages.h
//
// The failure messages of the request engine. A failure is reported only as
// one of these texts in WebVisit's statusText; the number is part of the
// text. 706 does not exist and the certificate message has no number.
// Example: EngineMessage(EngineFailure::kAddress) == Utf8ToText("701 解析URL地址失败!")
#pragma once

#include "text/types.h"

namespace gavrel {

enum class EngineFailure {
  kPlatform = 700,     // the HTTP library cannot start
  kAddress = 701,      // empty, unparsable or not http/https; nothing connected
  kSession = 702,      // no transfer handle
  kConnection = 703,   // no transfer driver
  kRequest = 704,      // the request (address, method, body) refused by the library
  kTimeouts = 705,     // the time-outs refused
  kCredentials = 707,  // server or proxy credentials refused
  kCertificate = 1,    // the certificate settings refused (no number)
  kCookies = 708,      // the cookie option refused
  kRedirects = 709,    // the redirect options refused
  kHeaders = 710,      // the header block refused
  kSend = 711,         // name not resolved, connection or tunnel refused, TLS failed
  kNoAnswer = 712,     // request sent, no answer within the time-out
  kRead = 713,         // the body broke off or stalled after the answer began
};

// The exact message text, in the program's code page.
[[nodiscard]] Text EngineMessage(EngineFailure failure);

}  // namespace gavrel
