// http/transfer.h
//
// Driving one configured libcurl transfer to its end: the response of the
// final hop is collected (its raw header block and body), every wait is
// bounded, the window's wait pump runs between slices of at most 50 ms, and
// the outcome is mapped onto the engine's failures.
// Example:
//   TransferOutcome out = RunTransfer(curl, std::chrono::seconds(30), true, 0);
//   if (!out.failure) use(out.head, out.body);
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "http/curl_holder.h"
#include "http/messages.h"
#include "text/types.h"

namespace gavrel {

struct TransferOutcome {
  // Empty: the exchange completed. kRead: the answer began and then broke
  // off or stalled; head and body hold what arrived. Anything else: nothing
  // usable arrived.
  std::optional<EngineFailure> failure;
  // The final response's header block as received: its status line and
  // header lines, each ending in CRLF, then the CRLF of the blank line.
  std::string head;
  Bytes body;
};

// Runs curl's easy handle (fully configured, callbacks excepted) through its
// multi handle. idleLimit bounds every wait once the request is under way:
// no byte sent or received for that long ends the transfer (712 before the
// answer began, 713 after, 711 while the body is still going out). The
// connection phase is bounded by the handle's own CURLOPT_CONNECTTIMEOUT.
// With followRedirects, a redirect from https down to http is not followed:
// that 3xx response becomes the final one. bodySize is the size of the
// request body going out (for the send phase).
[[nodiscard]] TransferOutcome RunTransfer(CurlHolder& curl, std::chrono::milliseconds idleLimit,
                                          bool followRedirects, std::uint64_t bodySize);

}  // namespace gavrel
