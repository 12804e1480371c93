// http/transfer.cpp
#include "http/transfer.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <new>
#include <string_view>

#include "http/pump.h"

namespace gavrel {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kSlice = std::chrono::milliseconds(50);
// A Content-Length is only a hint for reserving; a server that claims more
// than this gets its body grown as it arrives instead.
constexpr std::uint64_t kMaxReserve = 64u << 20;

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         });
}

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

// What the callbacks collect; they run inside libcurl and must not throw.
struct Collector {
  CURL* easy = nullptr;
  bool followRedirects = false;

  std::string head;
  bool inHead = false;        // between a status line and its blank line
  bool headComplete = false;  // the blank line of the current final (not 1xx) response came
  int status = 0;
  bool hasLocation = false;
  bool redirectPending = false;   // a 3xx curl is about to follow
  bool refusedDowngrade = false;  // we stopped curl from following https -> http
  Bytes body;
  bool outOfMemory = false;

  Clock::time_point lastActivity = Clock::now();
  curl_off_t uploaded = 0;

  void StartResponse() {
    head.clear();
    body.clear();
    inHead = true;
    headComplete = false;
    status = 0;
    hasLocation = false;
    redirectPending = false;
    refusedDowngrade = false;
  }
};

int ParseStatus(std::string_view statusLine) {
  std::size_t space = statusLine.find(' ');
  if (space == std::string_view::npos) return 0;
  std::string_view rest = TrimLeft(statusLine.substr(space + 1));
  int code = 0;
  std::from_chars(rest.data(), rest.data() + rest.size(), code);
  return code;
}

// curl follows every 3xx answer that names a Location (304, 305 and codes
// it does not know included), so each of them is checked for a step down.
bool IsFollowedStatus(int status) { return status >= 300 && status <= 399; }

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Returns false to stop the transfer.
bool OnHeaderLine(Collector& c, std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  if (!c.inHead) {
    // Trailers of a chunked body are not part of the header block.
    if (!StartsWithNoCase(line, "HTTP/")) return true;
    c.StartResponse();
    c.status = ParseStatus(line);
  }
  c.head.append(line);
  c.head.append("\r\n");
  if (line.empty()) {
    c.inHead = false;
    // An interim 1xx answer is not the answer: the final one is still to come.
    if (c.status >= 100 && c.status <= 199) return true;
    c.headComplete = true;
    if (c.followRedirects && c.hasLocation && IsFollowedStatus(c.status)) {
      c.redirectPending = true;
      if (c.refusedDowngrade) {
        c.redirectPending = false;
        return false;  // this 3xx is the final response
      }
    }
    return true;
  }
  if (StartsWithNoCase(line, "Location:")) {
    // curl goes by the first Location with a value; an empty one is no
    // redirect, and without another the 3xx is the final answer.
    std::string_view target = TrimRight(TrimLeft(line.substr(9)));
    if (target.empty() || c.hasLocation) return true;
    c.hasLocation = true;
    char* current = nullptr;
    curl_easy_getinfo(c.easy, CURLINFO_EFFECTIVE_URL, &current);
    c.refusedDowngrade = current != nullptr && StartsWithNoCase(current, "https:") &&
                         StartsWithNoCase(target, "http:");
  } else if (StartsWithNoCase(line, "Content-Length:")) {
    std::string_view value = TrimLeft(line.substr(15));
    std::uint64_t length = 0;
    std::from_chars(value.data(), value.data() + value.size(), length);
    c.body.reserve(static_cast<std::size_t>(std::min(length, kMaxReserve)));
  }
  return true;
}

extern "C" std::size_t HeaderCallback(char* data, std::size_t size, std::size_t count, void* user) {
  auto& c = *static_cast<Collector*>(user);
  std::size_t n = size * count;
  c.lastActivity = Clock::now();
  try {
    return OnHeaderLine(c, std::string_view(data, n)) ? n : 0;
  } catch (const std::bad_alloc&) {
    c.outOfMemory = true;
    return 0;
  }
}

extern "C" std::size_t WriteCallback(char* data, std::size_t size, std::size_t count, void* user) {
  auto& c = *static_cast<Collector*>(user);
  std::size_t n = size * count;
  c.lastActivity = Clock::now();
  try {
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    c.body.insert(c.body.end(), bytes, bytes + n);
    return n;
  } catch (const std::bad_alloc&) {
    c.outOfMemory = true;
    return 0;
  }
}

extern "C" int ProgressCallback(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t ulnow) {
  auto& c = *static_cast<Collector*>(user);
  if (ulnow != c.uploaded) {
    c.uploaded = ulnow;
    c.lastActivity = Clock::now();
  }
  return 0;
}

// libcurl's result mapped onto the engine's failures. answered: a complete
// header block of a response that is not about to be replaced by a redirect;
// redirecting: a complete 3xx answer that curl was about to follow.
std::optional<EngineFailure> Classify(CURLcode code, bool answered, bool redirecting) {
  switch (code) {
    case CURLE_OK:
      return answered ? std::nullopt : std::optional(EngineFailure::kNoAnswer);
    case CURLE_URL_MALFORMAT:
      // The caller's address was checked before; a Location that cannot be
      // parsed is a redirect that failed, as one to a scheme not followed.
      return redirecting ? EngineFailure::kNoAnswer : EngineFailure::kAddress;
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:  // only the connect time-out is set
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_USE_SSL_FAILED:
    case CURLE_SEND_ERROR:
    case CURLE_SEND_FAIL_REWIND:
    case CURLE_LOGIN_DENIED:
      return EngineFailure::kSend;
    case CURLE_GOT_NOTHING:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_TOO_MANY_REDIRECTS:
      return EngineFailure::kNoAnswer;
    case CURLE_OUT_OF_MEMORY:
      // libcurl refuses to build a request head of 1 MiB or more (an address
      // that long): the request never went out.
      return answered ? EngineFailure::kRead : EngineFailure::kSend;
    case CURLE_UNSUPPORTED_PROTOCOL:
      // A redirect to a scheme we do not follow after a complete answer, or
      // an answer that is not HTTP/1.x at all.
      return answered ? std::nullopt : std::optional(EngineFailure::kNoAnswer);
    default:
      // Broken off while reading (PARTIAL_FILE, RECV_ERROR, WRITE_ERROR,
      // BAD_CONTENT_ENCODING, ...).
      return answered ? EngineFailure::kRead : EngineFailure::kNoAnswer;
  }
}

// True when a proxy answered the tunnel request (CONNECT) with anything but
// a 2xx: the request never reached the server.
bool TunnelRefused(CURL* easy) {
  long connectCode = 0;
  if (curl_easy_getinfo(easy, CURLINFO_HTTP_CONNECTCODE, &connectCode) != CURLE_OK) return false;
  return connectCode != 0 && (connectCode < 200 || connectCode > 299);
}

}  // namespace

TransferOutcome RunTransfer(CurlHolder& curl, std::chrono::milliseconds idleLimit,
                            bool followRedirects, std::uint64_t bodySize) {
  TransferOutcome out;
  Collector c;
  c.easy = curl.Easy();
  c.followRedirects = followRedirects;
  CURL* easy = curl.Easy();
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &HeaderCallback);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, &c);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &WriteCallback);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &c);
  curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &ProgressCallback);
  curl_easy_setopt(easy, CURLOPT_XFERINFODATA, &c);
  curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
  if (!AttachToMulti(curl)) {
    out.failure = EngineFailure::kConnection;
    return out;
  }
  CURLM* multi = curl.Multi();
  // The callbacks point at c: the handle leaves the multi, and forgets them,
  // before c goes out of scope, on every path.
  struct Detach {
    CurlHolder& curl;
    ~Detach() {
      DetachFromMulti(curl);
      CURL* easy = curl.Easy();
      curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 1L);
      curl_easy_setopt(easy, CURLOPT_XFERINFODATA, nullptr);
      curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, nullptr);
      curl_easy_setopt(easy, CURLOPT_HEADERDATA, nullptr);
      curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, nullptr);
      curl_easy_setopt(easy, CURLOPT_WRITEDATA, nullptr);
    }
  } detach{curl};

  std::optional<EngineFailure> stalled;
  auto lastPump = Clock::now();
  c.lastActivity = Clock::now();
  for (;;) {
    int running = 0;
    if (curl_multi_perform(multi, &running) != CURLM_OK) break;
    if (running == 0) break;
    auto now = Clock::now();
    if (now - c.lastActivity >= idleLimit) {
      // Before the request starts going out, curl's connect time-out rules.
      curl_off_t pretransfer = 0;
      curl_easy_getinfo(easy, CURLINFO_PRETRANSFER_TIME_T, &pretransfer);
      if (pretransfer > 0 || c.inHead || c.headComplete) {
        if (c.headComplete && !c.redirectPending) {
          stalled = EngineFailure::kRead;
        } else if (static_cast<std::uint64_t>(c.uploaded) < bodySize && !c.inHead) {
          stalled = EngineFailure::kSend;
        } else {
          stalled = EngineFailure::kNoAnswer;
        }
        break;
      }
    }
    // Wake up in time for the idle limit, and at least every slice.
    auto remaining =
        std::chrono::duration_cast<std::chrono::milliseconds>(idleLimit - (now - c.lastActivity));
    auto wait = kSlice;
    if (remaining.count() > 0) wait = std::min(wait, remaining + std::chrono::milliseconds(1));
    curl_multi_poll(multi, nullptr, 0, static_cast<int>(wait.count()), nullptr);
    if (Clock::now() - lastPump >= kSlice) {
      PumpWhileWaiting();
      lastPump = Clock::now();
    }
  }

  CURLcode code = CURLE_OK;
  bool done = false;
  int left = 0;
  while (CURLMsg* msg = curl_multi_info_read(multi, &left)) {
    if (msg->msg == CURLMSG_DONE) {
      code = msg->data.result;
      done = true;
    }
  }
  bool answered = c.headComplete && !c.redirectPending;
  if (stalled) {
    out.failure = stalled;
  } else if (!done) {
    out.failure = answered ? EngineFailure::kRead : EngineFailure::kNoAnswer;
  } else if (c.refusedDowngrade && answered && code == CURLE_WRITE_ERROR && !c.outOfMemory &&
             c.body.empty()) {
    out.failure = std::nullopt;  // we stopped at the 3xx on purpose
  } else if (code != CURLE_OK && !answered && TunnelRefused(easy)) {
    out.failure = EngineFailure::kSend;  // the server was never reached
  } else {
    out.failure = Classify(code, answered, c.headComplete && c.redirectPending);
  }
  if (!out.failure || *out.failure == EngineFailure::kRead) {
    out.head = std::move(c.head);
    out.body = std::move(c.body);
  }
  return out;
}

}  // namespace gavrel
