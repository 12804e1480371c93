// http/web_visit.cpp
//
// The exchange, stage by stage: check the address, set up the transfer
// (request, proxy, time-outs, credentials, certificates, cookies, redirects,
// header block), run it, then read the answer into the caller's outputs
// (raw headers and status text, cookies and Location, body and its charset).
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "http/address.h"
#include "http/curl_holder.h"
#include "http/http.h"
#include "http/pump.h"
#include "http/test_settings.h"
#include "http/transfer.h"
#include "text/primitives.h"

namespace gavrel {
namespace {

constexpr const char* kVerbs[] = {"GET",     "POST",   "HEAD",  "PUT",
                                  "OPTIONS", "DELETE", "TRACE", "CONNECT"};
constexpr int kGet = 0, kPost = 1, kHead = 2, kPut = 3;
constexpr long kMaxRedirects = 10;
constexpr std::int64_t kDefaultTimeoutMs = 30000;
// Large pages (an article is often several MB) arrive in fewer, larger
// pieces than with curl's 16 KB default; the curl tool uses 100 KB.
constexpr long kReceiveBuffer = 256 * 1024;

bool Set(CURL* easy, CURLoption option, long value) {
  return curl_easy_setopt(easy, option, value) == CURLE_OK;
}
bool Set(CURL* easy, CURLoption option, const char* value) {
  return curl_easy_setopt(easy, option, value) == CURLE_OK;
}
bool Set(CURL* easy, CURLoption option, const std::string& value) {
  return Set(easy, option, value.c_str());
}
bool Set(CURL* easy, CURLoption option, curl_slist* value) {
  return curl_easy_setopt(easy, option, value) == CURLE_OK;
}

bool LineHasName(std::string_view line, std::string_view name) {
  if (line.size() <= name.size() || line[name.size()] != ':') return false;
  return CompareText(line.substr(0, name.size()), name, false) == 0;
}

// The header block as curl's list. Empty lines are skipped; a line with a CR,
// LF or zero byte left in it, or without a colon, is refused (false), since
// curl would either drop it or let it split the request. A header with an
// empty value goes as "Name;", curl's way of sending "Name:". curl's own
// Accept, Expect, (with a body) Content-Type and (through a proxy)
// Proxy-Connection are switched off unless the block has them.
bool BuildCurlHeaders(std::string_view block, bool bodyGoesOut, bool viaProxy, CurlList& list) {
  bool hasAccept = false, hasExpect = false, hasContentType = false, hasProxyConnection = false;
  const TextList lines = SplitText(block, "\r\n");
  for (const Text& line : lines.Items()) {
    if (line.empty()) continue;
    if (line.find_first_of(std::string_view("\r\n\0", 3)) != Text::npos) return false;
    std::size_t colon = line.find(':');
    if (colon == Text::npos || colon == 0) return false;
    hasAccept = hasAccept || LineHasName(line, "Accept");
    hasExpect = hasExpect || LineHasName(line, "Expect");
    hasContentType = hasContentType || LineHasName(line, "Content-Type");
    hasProxyConnection = hasProxyConnection || LineHasName(line, "Proxy-Connection");
    bool emptyValue = line.find_first_not_of(" \t", colon + 1) == Text::npos;
    if (!list.Append(emptyValue ? line.substr(0, colon) + ";" : line)) return false;
  }
  if (!hasAccept && !list.Append("Accept:")) return false;
  if (!hasExpect && !list.Append("Expect:")) return false;
  if (bodyGoesOut && !hasContentType && !list.Append("Content-Type:")) return false;
  if (viaProxy && !hasProxyConnection && !list.Append("Proxy-Connection:")) return false;
  return true;
}

// Request line and body. The body goes out whatever the method, except for
// HEAD, whose answer has no body to wait for.
bool SetMethodAndBody(CURL* easy, int method, const Bytes& body, bool& bodyGoesOut) {
  if (method < 0 || method > 7) method = kGet;
  const char* verb = kVerbs[method];
  bool hasBody = !body.empty();
  // POST and PUT state their (possibly zero) length, as servers expect.
  bool sendLength = hasBody || method == kPost || method == kPut;
  bodyGoesOut = false;
  if (method == kHead) return Set(easy, CURLOPT_NOBODY, 1L);
  if (!sendLength) {
    if (method == kGet) return Set(easy, CURLOPT_HTTPGET, 1L);
    return Set(easy, CURLOPT_CUSTOMREQUEST, verb);
  }
  static const char kEmpty[] = "";
  const char* data = hasBody ? reinterpret_cast<const char*>(body.data()) : kEmpty;
  bodyGoesOut = true;
  bool ok = Set(easy, CURLOPT_POST, 1L) &&
            curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                             static_cast<curl_off_t>(body.size())) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_POSTFIELDS, data) == CURLE_OK;
  if (ok && method != kPost) ok = Set(easy, CURLOPT_CUSTOMREQUEST, verb);
  return ok;
}

// statusText from the raw headers: from the 10th byte (behind "HTTP/1.1 ")
// to the first CRLF at or after it; "" when there is none.
Text StatusTextOf(std::string_view head) {
  Pos crlf = FindText(head, "\r\n", 10);
  if (crlf == kNotFound) return {};
  return TextMid(head, 10, crlf - 10);
}

// Failures that return at once, without the pump before returning.
bool ReturnsAtOnce(EngineFailure failure) {
  switch (failure) {
    case EngineFailure::kPlatform:
    case EngineFailure::kCredentials:
    case EngineFailure::kCertificate:
    case EngineFailure::kCookies:
    case EngineFailure::kRedirects:
      return true;
    default:
      return false;
  }
}

using Stage = std::optional<EngineFailure>;  // empty: the stage went through
constexpr Stage kDone = std::nullopt;

// One call: its handles, its request body and its settings, all its own.
class Exchange {
 public:
  explicit Exchange(WebVisitArgs& args) : a_(args) {}

  Text Run() {
    if (!CurlReady()) return Fail(EngineFailure::kPlatform);
    address_ = CheckAddress(a_.url);
    if (!address_) return Fail(EngineFailure::kAddress);
    if (curl_.Easy() == nullptr) return Fail(EngineFailure::kSession);
    if (curl_.Multi() == nullptr) return Fail(EngineFailure::kConnection);
    for (Stage (Exchange::*stage)() :
         {&Exchange::SetRequest, &Exchange::SetProxy, &Exchange::SetTimeouts,
          &Exchange::SetCredentials, &Exchange::SetCertificates, &Exchange::SetCookies,
          &Exchange::SetRedirects, &Exchange::SetHeaders, &Exchange::SetTestRoutes}) {
      if (Stage failed = (this->*stage)()) return Fail(*failed);
    }
    TransferOutcome out = RunTransfer(curl_, std::chrono::milliseconds(timeoutMs_),
                                      !a_.disableRedirects, bodyGoesOut_ ? body_->size() : 0);
    if (out.failure && *out.failure != EngineFailure::kRead) return Fail(*out.failure);
    if (out.failure) a_.statusText = EngineMessage(EngineFailure::kRead);
    return ReadAnswer(out);
  }

 private:
  // Address, HTTP/1.1 only, method and body.
  Stage SetRequest() {
    body_ = &a_.postBytes;
    if (a_.postBytes.empty()) {
      textBody_ = TextToBytes(a_.postText);
      body_ = &textBody_;
    }
    CURL* e = curl_.Easy();
    bool ok = Set(e, CURLOPT_URL, address_->url) && Set(e, CURLOPT_PROTOCOLS_STR, "http,https") &&
              Set(e, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1)) &&
              Set(e, CURLOPT_NOSIGNAL, 1L) && Set(e, CURLOPT_BUFFERSIZE, kReceiveBuffer) &&
              SetMethodAndBody(e, a_.method, *body_, bodyGoesOut_);
    return ok ? kDone : Stage(EngineFailure::kRequest);
  }

  // The proxy given, or none at all (not even one from the environment).
  Stage SetProxy() {
    CURL* e = curl_.Easy();
    if (a_.proxy.empty()) return Set(e, CURLOPT_PROXY, "") ? kDone : Stage(EngineFailure::kSession);
    // Every host through it, and a tunnel request without curl's own
    // Proxy-Connection line. The proxy's answer to the tunnel request is not
    // the server's answer: it never reaches the collected headers.
    bool ok = Set(e, CURLOPT_PROXY, "http://" + a_.proxy) && Set(e, CURLOPT_NOPROXY, "") &&
              curl_.proxyHeaders.Append("Proxy-Connection:") &&
              Set(e, CURLOPT_PROXYHEADER, curl_.proxyHeaders.get()) &&
              Set(e, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    return ok ? kDone : Stage(EngineFailure::kSession);
  }

  // t for connecting (name, TCP, TLS); t without any byte once the request
  // is under way is RunTransfer's part.
  Stage SetTimeouts() {
    timeoutMs_ = a_.timeoutSeconds > 0 ? std::int64_t{a_.timeoutSeconds} * 1000 : kDefaultTimeoutMs;
    bool ok = Set(curl_.Easy(), CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeoutMs_));
    return ok ? kDone : Stage(EngineFailure::kTimeouts);
  }

  // Basic authentication, each pair only when both members are given.
  Stage SetCredentials() {
    CURL* e = curl_.Easy();
    bool ok = true;
    if (!a_.serverUser.empty() && !a_.serverPassword.empty()) {
      ok = Set(e, CURLOPT_USERNAME, a_.serverUser) && Set(e, CURLOPT_PASSWORD, a_.serverPassword) &&
           Set(e, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
    }
    if (ok && !a_.proxyUser.empty() && !a_.proxyPassword.empty()) {
      ok = Set(e, CURLOPT_PROXYUSERNAME, a_.proxyUser) &&
           Set(e, CURLOPT_PROXYPASSWORD, a_.proxyPassword) &&
           Set(e, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_BASIC));
    }
    return ok ? kDone : Stage(EngineFailure::kCredentials);
  }

  // Peer and host name verified, against the system's roots (and, in tests,
  // the test root).
  Stage SetCertificates() {
    CURL* e = curl_.Easy();
    test_ = GetEngineTestSettings();
    bool ok = Set(e, CURLOPT_SSL_VERIFYPEER, 1L) && Set(e, CURLOPT_SSL_VERIFYHOST, 2L);
    if (ok && !test_.extraRootPem.empty()) {
      curl_blob blob{test_.extraRootPem.data(), test_.extraRootPem.size(), CURL_BLOB_COPY};
      ok = curl_easy_setopt(e, CURLOPT_CAINFO_BLOB, &blob) == CURLE_OK;
    }
    return ok ? kDone : Stage(EngineFailure::kCertificate);
  }

  // No cookie engine at all for an empty jar; curl's own for the exchange
  // (redirect hops included) otherwise.
  Stage SetCookies() {
    if (a_.cookies.empty() || Set(curl_.Easy(), CURLOPT_COOKIEFILE, "")) return kDone;
    return EngineFailure::kCookies;
  }

  // Followed unless disabled, at most 10, never from https down to http
  // (curl's protocol list for an https start; RunTransfer for later hops).
  Stage SetRedirects() {
    CURL* e = curl_.Easy();
    bool follow = !a_.disableRedirects;
    bool ok = Set(e, CURLOPT_FOLLOWLOCATION, follow ? 1L : 0L);
    if (ok && follow) {
      ok = Set(e, CURLOPT_MAXREDIRS, kMaxRedirects) &&
           Set(e, CURLOPT_REDIR_PROTOCOLS_STR, address_->secure ? "https" : "http,https");
    }
    return ok ? kDone : Stage(EngineFailure::kRedirects);
  }

  Stage SetHeaders() {
    Text block = BuildHeaderBlock(a_.extraHeaders, a_.method, a_.cookies, a_.addDefaultHeaders,
                                  a_.normalizeHeaderCase);
    bool ok = BuildCurlHeaders(block, bodyGoesOut_, !a_.proxy.empty(), curl_.headers) &&
              Set(curl_.Easy(), CURLOPT_HTTPHEADER, curl_.headers.get());
    return ok ? kDone : Stage(EngineFailure::kHeaders);
  }

  // Tests only: host:port pairs sent to loopback servers.
  Stage SetTestRoutes() {
    for (const std::string& entry : test_.connectTo) {
      if (!curl_.connectTo.Append(entry)) return EngineFailure::kRequest;
    }
    if (curl_.connectTo.get() != nullptr &&
        !Set(curl_.Easy(), CURLOPT_CONNECT_TO, curl_.connectTo.get()))
      return EngineFailure::kRequest;
    return kDone;
  }

  // The outputs from the final response. The raw block as Text ends at a
  // zero byte, if any; the status text replaces a read failure's message.
  Text ReadAnswer(TransferOutcome& out) {
    a_.responseHeaders = out.head.substr(0, out.head.find('\0'));
    a_.statusText = StatusTextOf(a_.responseHeaders);
    HarvestResponseHeaders(a_.responseHeaders, a_.cookies, a_.receivedCookies, a_.location,
                           a_.mergeReceivedCookies);
    Text result = DecodeBody(out.body);
    a_.responseBytes = std::move(out.body);
    PumpMessages();  // after the charset stage
    PumpMessages();  // before returning
    return result;
  }

  Text Fail(EngineFailure failure) {
    a_.statusText = EngineMessage(failure);
    if (!ReturnsAtOnce(failure)) PumpMessages();
    return {};
  }

  WebVisitArgs& a_;
  std::optional<CheckedAddress> address_;
  EngineTestSettings test_;
  const Bytes* body_ = nullptr;
  Bytes textBody_;
  bool bodyGoesOut_ = false;
  std::int64_t timeoutMs_ = kDefaultTimeoutMs;
  CurlHolder curl_;
};

}  // namespace

Text WebVisit(WebVisitArgs& args) {
  try {
    return Exchange(args).Run();
  } catch (const std::bad_alloc&) {
    // A body beyond the memory there is: the same as a failed read.
    args.statusText = EngineMessage(EngineFailure::kRead);
    return {};
  }
}

Text WebVisit(std::string_view url) {
  WebVisitArgs args;
  args.url = Text(url);
  return WebVisit(args);
}

}  // namespace gavrel
