// http/address.cpp
#include "http/address.h"

#include <curl/curl.h>

#include <initializer_list>
#include <memory>

#include "text/codepage.h"

namespace gavrel {
namespace {

struct UrlFree {
  void operator()(CURLU* u) const { curl_url_cleanup(u); }
};
struct CurlStringFree {
  void operator()(char* s) const { curl_free(s); }
};
using CurlString = std::unique_ptr<char, CurlStringFree>;

CurlString GetPart(CURLU* url, CURLUPart part) {
  char* value = nullptr;
  if (curl_url_get(url, part, &value, 0) != CURLUE_OK) return nullptr;
  return CurlString(value);
}

std::string PercentEncodeHighBytes(std::string_view utf8) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(utf8.size());
  for (char c : utf8) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 0xF];
    }
  }
  return out;
}

}  // namespace

std::optional<CheckedAddress> CheckAddress(std::string_view url) {
  if (url.empty()) return std::nullopt;
  bool ascii = true;
  for (char c : url) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x21 || b == 0x7F) return std::nullopt;
    if (b >= 0x80) ascii = false;
  }
  // The scheme and "//" must be followed by a host: curl would read
  // "http:///x" or "http:x" as host "x", a name the user never typed.
  std::size_t slashes = url.find("://");
  if (slashes == std::string_view::npos || slashes + 3 >= url.size() ||
      url.substr(slashes + 3, 1).find_first_of("/?#") == 0)
    return std::nullopt;
  std::string candidate = ascii ? std::string(url) : PercentEncodeHighBytes(TextToUtf8(url));

  std::unique_ptr<CURLU, UrlFree> parsed(curl_url());
  if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, candidate.c_str(), 0) != CURLUE_OK)
    return std::nullopt;
  // A user name or password in the address is not used: curl would turn it
  // into an Authorization line of its own. Credentials come only from the
  // caller's serverUser and serverPassword.
  for (CURLUPart part : {CURLUPART_USER, CURLUPART_PASSWORD, CURLUPART_OPTIONS}) {
    if (curl_url_set(parsed.get(), part, nullptr, 0) != CURLUE_OK) return std::nullopt;
  }
  CurlString scheme = GetPart(parsed.get(), CURLUPART_SCHEME);
  CurlString host = GetPart(parsed.get(), CURLUPART_HOST);
  if (!scheme || !host || *host == '\0') return std::nullopt;
  std::string_view s(scheme.get());
  if (s != "http" && s != "https") return std::nullopt;
  CurlString normal = GetPart(parsed.get(), CURLUPART_URL);
  if (!normal) return std::nullopt;
  return CheckedAddress{normal.get(), s == "https"};
}

}  // namespace gavrel
