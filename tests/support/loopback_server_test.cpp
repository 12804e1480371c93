// The loopback server itself: it must never hold a test up, whatever its
// clients do, and it must record what arrived byte for byte.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "tests/support/loopback_server.h"

namespace gavrel::testing {
namespace {

using Clock = std::chrono::steady_clock;

// A raw client socket connected to 127.0.0.1:port.
class RawClient {
 public:
  explicit RawClient(std::uint16_t port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(port);
    connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  }
  ~RawClient() { ::close(fd_); }
  RawClient(const RawClient&) = delete;
  RawClient& operator=(const RawClient&) = delete;

  [[nodiscard]] bool Connected() const { return connected_; }
  void Send(const std::string& bytes) {
    ASSERT_EQ(::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(bytes.size()));
  }
  std::string ReadAll() {
    std::string out;
    char buf[4096];
    ssize_t n;
    while ((n = ::recv(fd_, buf, sizeof buf, 0)) > 0) out.append(buf, static_cast<std::size_t>(n));
    return out;
  }

 private:
  int fd_;
  bool connected_ = false;
};

TEST(LoopbackServer, StopsPromptlyWhateverItsClientsDo) {
  std::optional<LoopbackServer> server;
  server.emplace();
  Response silent;
  silent.neverAnswer = true;
  server->Route("/silent", silent);
  Response stall = Response::Html(std::string(1000, 'x'));
  stall.stallAfter = 10;
  server->Route("/stall", stall);

  RawClient idle(server->Port());                 // connected, sends nothing
  RawClient halfRequest(server->Port());          // head never finished
  RawClient waiting(server->Port());              // on a route that never answers
  RawClient stalled(server->Port());              // mid-body
  halfRequest.Send("GET / HTTP/1.1\r\nHost: x\r\n");
  waiting.Send("GET /silent HTTP/1.1\r\nHost: x\r\n\r\n");
  stalled.Send("GET /stall HTTP/1.1\r\nHost: x\r\n\r\n");
  ASSERT_TRUE(idle.Connected() && halfRequest.Connected() && waiting.Connected() &&
              stalled.Connected());
  auto deadline = Clock::now() + std::chrono::seconds(5);
  while (server->RequestCount() < 2 && Clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(server->RequestCount(), 2u);

  auto start = Clock::now();
  server.reset();
  EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 1.0);
}

TEST(LoopbackServer, RecordsTheRequestAndAnswersAsScripted) {
  LoopbackServer server;
  Response r;
  r.status = 418;
  r.reason = "I'm a teapot";
  r.headers = {"Set-Cookie: a=1", "Set-Cookie: b=2"};
  r.body = std::string("t\0e", 3);
  server.Route("/tea?x=1", r);
  server.RoutePath("/tea", Response::Html("by path"));

  const std::string request =
      "POST /tea?x=1 HTTP/1.1\r\nHost: h\r\nContent-Length: 4\r\nX-A:  spaced \r\n\r\nbody";
  std::string answer;
  {
    RawClient client(server.Port());
    client.Send(request);
    answer = client.ReadAll();
  }
  EXPECT_EQ(answer, std::string("HTTP/1.1 418 I'm a teapot\r\nSet-Cookie: a=1\r\nSet-Cookie: b=2\r\n"
                                "Content-Length: 3\r\nConnection: close\r\n\r\nt\0e",
                                104));
  ASSERT_EQ(server.RequestCount(), 1u);
  Request got = server.Requests()[0];
  EXPECT_EQ(got.raw, request);
  EXPECT_EQ(got.method, "POST");
  EXPECT_EQ(got.target, "/tea?x=1");
  EXPECT_EQ(got.path, "/tea");
  EXPECT_EQ(got.version, "HTTP/1.1");
  EXPECT_EQ(got.body, "body");
  EXPECT_EQ(got.Header("x-a"), "spaced");
  EXPECT_EQ(got.HeaderBlock(), "Host: h\r\nContent-Length: 4\r\nX-A:  spaced \r\n");

  // Another query falls back to the path's answer; an unknown path is a 404.
  RawClient other(server.Port());
  other.Send("GET /tea?y=2 HTTP/1.1\r\nHost: h\r\n\r\n");
  EXPECT_NE(other.ReadAll().find("\r\n\r\nby path"), std::string::npos);
  RawClient unknown(server.Port());
  unknown.Send("GET /nope HTTP/1.1\r\nHost: h\r\n\r\n");
  EXPECT_EQ(unknown.ReadAll().rfind("HTTP/1.1 404 Not Found\r\n", 0), 0u);
}

}  // namespace
}  // namespace gavrel::testing
