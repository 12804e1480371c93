// tests/support/tunnel_proxy.h
//
// A proxy on 127.0.0.1 that answers every CONNECT request with
// "HTTP/1.1 200 Connection established" and then relays the bytes both ways
// between the client and one fixed loopback port, as a real HTTPS proxy does.
// It serves one tunnel at a time from a thread of its own; every wait is
// bounded and the destructor stops it at once.
// Example:
//   LoopbackServer tls(LoopbackServer::Options{.tls = true});
//   TunnelProxy proxy(tls.Port());
//   WebVisitArgs call{.url = "https://mp.weixin.qq.com/s",
//                     .proxy = "127.0.0.1:" + std::to_string(proxy.Port())};
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

namespace gavrel::testing {

class TunnelProxy {
 public:
  explicit TunnelProxy(std::uint16_t targetPort);
  ~TunnelProxy();
  TunnelProxy(const TunnelProxy&) = delete;
  TunnelProxy& operator=(const TunnelProxy&) = delete;

  [[nodiscard]] std::uint16_t Port() const { return port_; }
  // CONNECT requests answered so far.
  [[nodiscard]] int TunnelCount() const { return tunnels_; }

 private:
  void AcceptLoop();
  void Relay(int client);

  std::uint16_t targetPort_;
  std::uint16_t port_ = 0;
  int listenFd_ = -1;
  std::atomic<bool> stop_{false};
  std::atomic<int> tunnels_{0};
  std::thread thread_;
};

}  // namespace gavrel::testing
