// tests/support/tunnel_proxy.cpp
#include "tests/support/tunnel_proxy.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>

namespace gavrel::testing {
namespace {

using Clock = std::chrono::steady_clock;

// Upper bounds of the proxy's own waits; tests never come near them.
constexpr auto kRequestLimit = std::chrono::seconds(10);
constexpr auto kTunnelLimit = std::chrono::seconds(30);
constexpr int kSliceMs = 50;  // how often a wait looks at the stop flag

class ScopedFd {
 public:
  explicit ScopedFd(int fd) : fd_(fd) {}
  ~ScopedFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  ScopedFd(const ScopedFd&) = delete;
  ScopedFd& operator=(const ScopedFd&) = delete;
  [[nodiscard]] int get() const { return fd_; }

 private:
  int fd_;
};

sockaddr_in Loopback(std::uint16_t port) {
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(port);
  return addr;
}

bool SendAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

TunnelProxy::TunnelProxy(std::uint16_t targetPort) : targetPort_(targetPort) {
  listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr = Loopback(0);
  socklen_t len = sizeof addr;
  if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::listen(listenFd_, 16) != 0 ||
      ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    if (listenFd_ >= 0) ::close(listenFd_);
    throw std::runtime_error("tunnel proxy: bind/listen");
  }
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this] { AcceptLoop(); });
}

TunnelProxy::~TunnelProxy() {
  stop_ = true;
  thread_.join();
  ::close(listenFd_);
}

void TunnelProxy::AcceptLoop() {
  while (!stop_) {
    pollfd p{listenFd_, POLLIN, 0};
    if (::poll(&p, 1, kSliceMs) <= 0) continue;
    int client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client >= 0) Relay(client);
  }
}

void TunnelProxy::Relay(int clientFd) {
  ScopedFd client(clientFd);
  // The CONNECT request: read up to its blank line.
  std::string head;
  char buf[16 * 1024];
  auto deadline = Clock::now() + kRequestLimit;
  while (head.find("\r\n\r\n") == std::string::npos) {
    if (stop_ || Clock::now() > deadline) return;
    pollfd p{client.get(), POLLIN, 0};
    if (::poll(&p, 1, kSliceMs) <= 0) continue;
    ssize_t n = ::recv(client.get(), buf, sizeof buf, 0);
    if (n <= 0) return;
    head.append(buf, static_cast<std::size_t>(n));
  }
  ScopedFd origin(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  sockaddr_in addr = Loopback(targetPort_);
  if (origin.get() < 0 ||
      ::connect(origin.get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
    return;
  static const char kEstablished[] = "HTTP/1.1 200 Connection established\r\n\r\n";
  if (!SendAll(client.get(), kEstablished, sizeof kEstablished - 1)) return;
  ++tunnels_;
  // Bytes the client sent behind its request belong to the tunnel.
  std::size_t behind = head.find("\r\n\r\n") + 4;
  if (behind < head.size() &&
      !SendAll(origin.get(), head.data() + behind, head.size() - behind))
    return;
  deadline = Clock::now() + kTunnelLimit;
  while (!stop_ && Clock::now() < deadline) {
    pollfd fds[2] = {{client.get(), POLLIN, 0}, {origin.get(), POLLIN, 0}};
    if (::poll(fds, 2, kSliceMs) <= 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].revents == 0) continue;
      ssize_t n = ::recv(fds[i].fd, buf, sizeof buf, 0);
      if (n <= 0 || !SendAll(fds[1 - i].fd, buf, static_cast<std::size_t>(n))) return;
    }
  }
}

}  // namespace gavrel::testing
