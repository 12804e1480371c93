// tests/support/loopback_server.h
//
// A real HTTP/1.1 server on 127.0.0.1 for tests, plain or TLS, with scripted
// answers and a record of every request it received. Each server listens on
// an ephemeral port, serves from threads it owns and stops them (bounded, never
// hanging) in its destructor. A TLS server makes its own throwaway root
// certificate and a server certificate signed by it at start-up, with names
// for localhost, 127.0.0.1, mp.weixin.qq.com, weixin.sogou.com and any host
// the test adds; nothing is read from disk or downloaded.
//
// ScopedEngineRoutes (bottom of this file) points the request engine at these
// servers: the tools' real addresses go to 127.0.0.1 and the servers' roots
// are trusted, for the lifetime of the object.
//
// Example:
//   using namespace gavrel::testing;
//   LoopbackServer plain;                                  // http
//   LoopbackServer tls(LoopbackServer::Options{.tls = true});  // https
//   plain.Route("/weixin?type=1", Response::Html("<p>hi</p>"));
//   tls.RoutePath("/s/abc", Response::Html(page));
//   ScopedEngineRoutes routes({{"weixin.sogou.com:80", plain},
//                              {"mp.weixin.qq.com:443", tls}});
//   Text a = gavrel::WebVisit("http://weixin.sogou.com/weixin?type=1");
//   Text b = gavrel::WebVisit("https://mp.weixin.qq.com/s/abc");
//   EXPECT_EQ(plain.Requests().at(0).target, "/weixin?type=1");
//   EXPECT_EQ(plain.Requests().at(0).Header("Host"), "weixin.sogou.com");
//
// Addresses of the server itself: plain.Url("/x") is "http://127.0.0.1:<port>/x"
// (for a TLS server "https://..."; trust its root with
// ScopedEngineRoutes({}, tls.CaPem()) first).
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "http/test_settings.h"

namespace gavrel::testing {

// One request as the server read it.
struct Request {
  std::string raw;      // every byte received: request line, headers, blank line, body
  std::string method;   // "GET"
  std::string target;   // path and query as on the request line: "/a?b=1"
  std::string path;     // target up to its "?": "/a"
  std::string version;  // "HTTP/1.1"
  std::vector<std::pair<std::string, std::string>> headers;  // in order, as sent
  std::string body;  // by Content-Length (chunked request bodies are not read)

  // Value of the first header of that name (ASCII case ignored), or "" when
  // absent. HasHeader tells the two apart.
  [[nodiscard]] std::string Header(std::string_view name) const;
  [[nodiscard]] bool HasHeader(std::string_view name) const;
  // The header block as sent: from just after the request line's CRLF up to
  // and including the CRLF that ends the last header line.
  [[nodiscard]] std::string HeaderBlock() const;
};

// One scripted answer. The server writes the status line, the header lines,
// then adds "Content-Length" (unless chunked, or a Content-Length or
// Transfer-Encoding line is among `headers`, or omitContentLength) and
// "Connection: close" (unless a Connection line is among `headers`), a blank
// line and the body. No body is written in answer to HEAD.
struct Response {
  int status = 200;
  std::string reason = "OK";
  std::vector<std::string> headers{};  // whole lines without CRLF: "Set-Cookie: a=1"
  std::string body{};                  // any bytes, zero bytes included

  bool chunked = false;  // Transfer-Encoding: chunked, chunks of chunkSize
  std::size_t chunkSize = 16 * 1024;
  bool omitContentLength = false;  // body ends when the server closes

  // Behaviour switches.
  std::chrono::milliseconds delay{0};  // wait before the status line
  // Write the head and this many body bytes (of the encoded body), then hold
  // the connection open without writing until the client hangs up (or
  // stallFor passes, after which the rest is written).
  std::optional<std::size_t> stallAfter;
  std::optional<std::chrono::milliseconds> stallFor;
  // Write the head and this many body bytes, then close the connection.
  std::optional<std::size_t> closeAfter;
  // Read the request, then write nothing until the client hangs up.
  bool neverAnswer = false;
  // Exact bytes to write instead of all of the above; then close.
  std::optional<std::string> raw;

  // A 200 with "Content-Type: text/html" (plus charset when given) and body.
  static Response Html(std::string body, std::string_view charset = {});
  // A redirect to location with the given status (301, 302, 303, 307, 308).
  static Response Redirect(std::string location, int status = 302);
  // Exact bytes on the wire.
  static Response Raw(std::string bytes);
};

using Handler = std::function<Response(const Request&)>;

class LoopbackServer {
 public:
  struct Options {
    bool tls = false;
    // Extra DNS names (or IP addresses) for the server certificate.
    std::vector<std::string> extraHosts{};
  };

  LoopbackServer();
  explicit LoopbackServer(Options options);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  [[nodiscard]] std::uint16_t Port() const;
  [[nodiscard]] bool IsTls() const;
  // "http://127.0.0.1:<port>" + pathAndQuery (https for a TLS server).
  [[nodiscard]] std::string Url(std::string_view pathAndQuery = "/") const;
  // PEM of the root that signed this server's certificate ("" when plain).
  [[nodiscard]] const std::string& CaPem() const;

  // Answers for an exact request target (path and query as sent).
  void Route(std::string target, Response response);
  // Answers for a path, whatever the query; exact targets win.
  void RoutePath(std::string path, Response response);
  // Called for targets without a route; without it they get 404 Not Found.
  void SetFallback(Handler handler);

  // Every request received so far, in arrival order (a request is recorded
  // once it has been read, before it is answered).
  [[nodiscard]] std::vector<Request> Requests() const;
  [[nodiscard]] std::size_t RequestCount() const;
  void ClearRequests();
  // Connections accepted so far (also those that sent no complete request).
  [[nodiscard]] std::size_t ConnectionCount() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// A host:port whose connections go to a loopback server.
struct HostRoute {
  std::string hostPort;  // "mp.weixin.qq.com:443"
  const LoopbackServer& server;
};

// Installs engine test settings that send each route's host:port to its
// server (curl CONNECT_TO) and trust the roots of the TLS servers among the
// routes, or exactly trustedRootPem when one is given (an empty string then
// means: trust no test root). Restores the previous settings on destruction.
// Declare it after the servers it names, so that it goes first.
class ScopedEngineRoutes {
 public:
  explicit ScopedEngineRoutes(const std::vector<HostRoute>& routes,
                              std::optional<std::string> trustedRootPem = std::nullopt);
  ~ScopedEngineRoutes();
  ScopedEngineRoutes(const ScopedEngineRoutes&) = delete;
  ScopedEngineRoutes& operator=(const ScopedEngineRoutes&) = delete;

 private:
  gavrel::EngineTestSettings previous_;
};

// A port on 127.0.0.1 that nothing listens on (bound, then released), for
// tests of refused connections.
[[nodiscard]] std::uint16_t UnusedLoopbackPort();

// A throwaway root and a server certificate signed by it, in PEM; made with
// the OpenSSL API. Exposed for tests that need a second, untrusted root.
struct TlsMaterial {
  std::string caPem;
  std::string certPem;
  std::string keyPem;
};
[[nodiscard]] TlsMaterial MakeTlsMaterial(const std::vector<std::string>& hosts);

}  // namespace gavrel::testing
