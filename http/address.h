// http/address.h
//
// Checking and normalising the address WebVisit is given, before anything
// is connected. Only http and https addresses with a host pass.
// Example: CheckAddress("HTTPS://mp.weixin.qq.com/s?x=1")->url
//   == "https://mp.weixin.qq.com/s?x=1", ->secure == true
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace gavrel {

struct CheckedAddress {
  std::string url;  // as libcurl will use it (ASCII)
  bool secure = false;
};

// The address in the form libcurl takes, or nothing when it is empty, holds
// a blank or a control character (ASCII below 0x21, or 0x7F), does not parse,
// has no host, or has a scheme other than http and https (letters folded).
// Characters beyond ASCII (the address is Text) are sent as the
// percent-encoded bytes of their UTF-8 form, as a browser does. A user name
// or password before the host is dropped: "http://u:p@host/x" is sent as
// "http://host/x", without any Authorization of its own.
[[nodiscard]] std::optional<CheckedAddress> CheckAddress(std::string_view url);

}  // namespace gavrel
