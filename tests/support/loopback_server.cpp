// tests/support/loopback_server.cpp
//
// The loopback server: one accept thread, one thread per connection, one
// request per connection (the answer carries Connection: close). Every wait
// polls the socket together with a wake-up pipe, so the destructor stops all
// threads at once; every wait also has its own upper bound.
#include "tests/support/loopback_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <list>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace gavrel::testing {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Upper bounds of the server's own waits; tests never come near them.
constexpr milliseconds kHandshakeLimit{10000};
constexpr milliseconds kReadLimit{10000};
constexpr milliseconds kWriteLimit{30000};
constexpr milliseconds kHoldLimit{30000};  // waiting for the client to hang up
constexpr milliseconds kLingerLimit{500};  // draining after a complete answer
constexpr std::size_t kMaxRequestHead = 16 * 1024 * 1024;

class Fd {
 public:
  Fd() = default;
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() { Reset(); }
  Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Fd& operator=(Fd&& other) noexcept {
    if (this != &other) {
      Reset();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  [[nodiscard]] int get() const { return fd_; }
  void Reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

struct SslCtxFree {
  void operator()(SSL_CTX* p) const { SSL_CTX_free(p); }
};
struct SslFree {
  void operator()(SSL* p) const { SSL_free(p); }
};
struct BioFree {
  void operator()(BIO* p) const { BIO_free(p); }
};
struct X509Free {
  void operator()(X509* p) const { X509_free(p); }
};
struct PkeyFree {
  void operator()(EVP_PKEY* p) const { EVP_PKEY_free(p); }
};

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool HasLine(const std::vector<std::string>& lines, std::string_view name) {
  for (const std::string& line : lines) {
    std::size_t colon = line.find(':');
    if (colon != std::string::npos &&
        EqualsIgnoreCase(std::string_view(line).substr(0, colon), name))
      return true;
  }
  return false;
}

std::string Trim(std::string_view s) {
  std::size_t b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  std::size_t e = s.find_last_not_of(" \t");
  return std::string(s.substr(b, e - b + 1));
}

// A connected socket, plain or TLS, whose every wait also watches the
// wake-up pipe and a deadline.
class Channel {
 public:
  Channel(Fd fd, int wakeFd) : fd_(std::move(fd)), wakeFd_(wakeFd) {}

  // Outcome of waiting: the socket is ready, or we must give up.
  bool Wait(short events, Clock::time_point deadline) const {
    for (;;) {
      auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) return false;
      pollfd fds[2] = {{fd_.get(), events, 0}, {wakeFd_, POLLIN, 0}};
      int n = ::poll(fds, 2, static_cast<int>(std::min<long long>(left, 1000)));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      if (fds[1].revents != 0) return false;  // the server is stopping
      if (fds[0].revents != 0) return true;
    }
  }

  bool StartTls(SSL_CTX* ctx) {
    ssl_.reset(SSL_new(ctx));
    if (!ssl_) return false;
    SSL_set_mode(ssl_.get(), SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
    SSL_set_fd(ssl_.get(), fd_.get());
    auto deadline = Clock::now() + kHandshakeLimit;
    for (;;) {
      int r = SSL_accept(ssl_.get());
      if (r == 1) return true;
      int err = SSL_get_error(ssl_.get(), r);
      ERR_clear_error();
      if (err == SSL_ERROR_WANT_READ) {
        if (!Wait(POLLIN, deadline)) return false;
      } else if (err == SSL_ERROR_WANT_WRITE) {
        if (!Wait(POLLOUT, deadline)) return false;
      } else {
        return false;  // the client gave up, for instance on an untrusted root
      }
    }
  }

  // Appends what arrives to out. > 0: bytes read; 0: the peer closed; < 0:
  // error, deadline or stop.
  long ReadSome(std::string& out, Clock::time_point deadline) {
    char buf[64 * 1024];
    for (;;) {
      if (ssl_) {
        int r = SSL_read(ssl_.get(), buf, sizeof buf);
        if (r > 0) {
          out.append(buf, static_cast<std::size_t>(r));
          return r;
        }
        int err = SSL_get_error(ssl_.get(), r);
        ERR_clear_error();
        if (err == SSL_ERROR_ZERO_RETURN) return 0;
        if (err == SSL_ERROR_WANT_READ) {
          if (!Wait(POLLIN, deadline)) return -1;
          continue;
        }
        if (err == SSL_ERROR_WANT_WRITE) {
          if (!Wait(POLLOUT, deadline)) return -1;
          continue;
        }
        return err == SSL_ERROR_SYSCALL ? 0 : -1;
      }
      ssize_t r = ::recv(fd_.get(), buf, sizeof buf, 0);
      if (r > 0) {
        out.append(buf, static_cast<std::size_t>(r));
        return r;
      }
      if (r == 0) return 0;
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        if (!Wait(POLLIN, deadline)) return -1;
        continue;
      }
      return -1;
    }
  }

  bool WriteAll(std::string_view data) {
    auto deadline = Clock::now() + kWriteLimit;
    while (!data.empty()) {
      std::size_t chunk = std::min<std::size_t>(data.size(), 1 << 20);
      if (ssl_) {
        int r = SSL_write(ssl_.get(), data.data(), static_cast<int>(chunk));
        if (r > 0) {
          data.remove_prefix(static_cast<std::size_t>(r));
          continue;
        }
        int err = SSL_get_error(ssl_.get(), r);
        ERR_clear_error();
        if (err == SSL_ERROR_WANT_WRITE) {
          if (!Wait(POLLOUT, deadline)) return false;
        } else if (err == SSL_ERROR_WANT_READ) {
          if (!Wait(POLLIN, deadline)) return false;
        } else {
          return false;
        }
        continue;
      }
      ssize_t r = ::send(fd_.get(), data.data(), chunk, MSG_NOSIGNAL);
      if (r > 0) {
        data.remove_prefix(static_cast<std::size_t>(r));
        continue;
      }
      if (r < 0 && errno == EINTR) continue;
      if (r < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        if (!Wait(POLLOUT, deadline)) return false;
        continue;
      }
      return false;
    }
    return true;
  }

  // Reads and drops whatever comes until the client hangs up, the limit
  // passes or the server stops.
  void HoldUntilHangUp(milliseconds limit) {
    auto deadline = Clock::now() + limit;
    std::string sink;
    while (ReadSome(sink, deadline) > 0) sink.clear();
  }

  // Ends a complete answer: TLS close_notify, end of our direction, then a
  // short drain so the client reads everything before our socket closes.
  void FinishGracefully() {
    if (ssl_) {
      SSL_shutdown(ssl_.get());
      ERR_clear_error();
    }
    ::shutdown(fd_.get(), SHUT_WR);
    HoldUntilHangUp(kLingerLimit);
  }

 private:
  Fd fd_;
  int wakeFd_;
  std::unique_ptr<SSL, SslFree> ssl_;
};

// Parses the head of a request; false when it is not a request at all.
bool ParseHead(std::string_view head, Request& request) {
  std::size_t lineEnd = head.find("\r\n");
  std::string_view line = head.substr(0, lineEnd);
  std::size_t sp1 = line.find(' ');
  std::size_t sp2 = line.rfind(' ');
  if (sp1 == std::string_view::npos || sp2 == sp1) return false;
  request.method = std::string(line.substr(0, sp1));
  request.target = std::string(line.substr(sp1 + 1, sp2 - sp1 - 1));
  request.version = std::string(line.substr(sp2 + 1));
  request.path = request.target.substr(0, request.target.find('?'));
  std::size_t pos = lineEnd == std::string_view::npos ? head.size() : lineEnd + 2;
  while (pos < head.size()) {
    std::size_t end = head.find("\r\n", pos);
    if (end == std::string_view::npos) end = head.size();
    std::string_view h = head.substr(pos, end - pos);
    pos = end + 2;
    if (h.empty()) break;
    std::size_t colon = h.find(':');
    if (colon == std::string_view::npos) {
      request.headers.emplace_back(std::string(h), std::string());
    } else {
      request.headers.emplace_back(std::string(h.substr(0, colon)), Trim(h.substr(colon + 1)));
    }
  }
  return true;
}

std::string EncodeBody(const Response& r) {
  if (!r.chunked) return r.body;
  std::string out;
  std::size_t step = std::max<std::size_t>(r.chunkSize, 1);
  for (std::size_t i = 0; i < r.body.size(); i += step) {
    std::size_t n = std::min(step, r.body.size() - i);
    char size[32];
    std::snprintf(size, sizeof size, "%zx\r\n", n);
    out += size;
    out.append(r.body, i, n);
    out += "\r\n";
  }
  out += "0\r\n\r\n";
  return out;
}

std::string EncodeHead(const Response& r) {
  std::string head = "HTTP/1.1 " + std::to_string(r.status);
  if (!r.reason.empty()) head += " " + r.reason;
  head += "\r\n";
  for (const std::string& line : r.headers) head += line + "\r\n";
  if (r.chunked) {
    if (!HasLine(r.headers, "Transfer-Encoding")) head += "Transfer-Encoding: chunked\r\n";
  } else if (!r.omitContentLength && !HasLine(r.headers, "Content-Length") &&
             !HasLine(r.headers, "Transfer-Encoding")) {
    head += "Content-Length: " + std::to_string(r.body.size()) + "\r\n";
  }
  if (!HasLine(r.headers, "Connection")) head += "Connection: close\r\n";
  head += "\r\n";
  return head;
}

}  // namespace

// ---------------------------------------------------------------------------

std::string Request::Header(std::string_view name) const {
  for (const auto& [n, v] : headers)
    if (EqualsIgnoreCase(n, name)) return v;
  return {};
}

bool Request::HasHeader(std::string_view name) const {
  return std::any_of(headers.begin(), headers.end(),
                     [&](const auto& h) { return EqualsIgnoreCase(h.first, name); });
}

std::string Request::HeaderBlock() const {
  std::size_t lineEnd = raw.find("\r\n");
  std::size_t headEnd = raw.find("\r\n\r\n");
  if (lineEnd == std::string::npos || headEnd == std::string::npos) return {};
  if (headEnd == lineEnd) return {};
  return raw.substr(lineEnd + 2, headEnd + 2 - (lineEnd + 2));
}

Response Response::Html(std::string body, std::string_view charset) {
  Response r;
  std::string type = "Content-Type: text/html";
  if (!charset.empty()) type += "; charset=" + std::string(charset);
  r.headers.push_back(type);
  r.body = std::move(body);
  return r;
}

Response Response::Redirect(std::string location, int status) {
  Response r;
  r.status = status;
  switch (status) {
    case 301:
      r.reason = "Moved Permanently";
      break;
    case 303:
      r.reason = "See Other";
      break;
    case 307:
      r.reason = "Temporary Redirect";
      break;
    case 308:
      r.reason = "Permanent Redirect";
      break;
    default:
      r.reason = "Found";
      break;
  }
  r.headers.push_back("Location: " + location);
  return r;
}

Response Response::Raw(std::string bytes) {
  Response r;
  r.raw = std::move(bytes);
  return r;
}

// ---------------------------------------------------------------------------

struct LoopbackServer::Impl {
  Options options;
  TlsMaterial material;
  std::unique_ptr<SSL_CTX, SslCtxFree> sslCtx;
  Fd listenFd;
  Fd wakeRead;
  Fd wakeWrite;
  std::uint16_t port = 0;

  mutable std::mutex mutex;
  std::map<std::string, Response> exactRoutes;
  std::map<std::string, Response> pathRoutes;
  Handler fallback;
  std::vector<Request> requests;
  std::atomic<std::size_t> connections{0};

  struct Connection {
    std::thread thread;
    std::atomic<bool> done{false};
  };
  std::list<Connection> live;  // touched by the accept thread only, then by ~Impl
  std::thread acceptThread;

  void SetUpTls() {
    std::vector<std::string> hosts = {"localhost", "127.0.0.1", "mp.weixin.qq.com",
                                      "weixin.sogou.com"};
    hosts.insert(hosts.end(), options.extraHosts.begin(), options.extraHosts.end());
    material = MakeTlsMaterial(hosts);
    sslCtx.reset(SSL_CTX_new(TLS_server_method()));
    if (!sslCtx) throw std::runtime_error("loopback server: SSL_CTX_new");
    SSL_CTX_set_min_proto_version(sslCtx.get(), TLS1_2_VERSION);
    std::unique_ptr<BIO, BioFree> certBio(
        BIO_new_mem_buf(material.certPem.data(), static_cast<int>(material.certPem.size())));
    std::unique_ptr<X509, X509Free> cert(
        PEM_read_bio_X509(certBio.get(), nullptr, nullptr, nullptr));
    std::unique_ptr<BIO, BioFree> keyBio(
        BIO_new_mem_buf(material.keyPem.data(), static_cast<int>(material.keyPem.size())));
    std::unique_ptr<EVP_PKEY, PkeyFree> key(
        PEM_read_bio_PrivateKey(keyBio.get(), nullptr, nullptr, nullptr));
    if (!cert || !key || SSL_CTX_use_certificate(sslCtx.get(), cert.get()) != 1 ||
        SSL_CTX_use_PrivateKey(sslCtx.get(), key.get()) != 1)
      throw std::runtime_error("loopback server: certificate");
  }

  void Listen() {
    listenFd = Fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (listenFd.get() < 0) throw std::runtime_error("loopback server: socket");
    int one = 1;
    ::setsockopt(listenFd.get(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (::bind(listenFd.get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(listenFd.get(), 128) != 0)
      throw std::runtime_error("loopback server: bind/listen");
    socklen_t len = sizeof addr;
    ::getsockname(listenFd.get(), reinterpret_cast<sockaddr*>(&addr), &len);
    port = ntohs(addr.sin_port);
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
      throw std::runtime_error("loopback server: pipe");
    wakeRead = Fd(pipeFds[0]);
    wakeWrite = Fd(pipeFds[1]);
  }

  void AcceptLoop() {
    for (;;) {
      pollfd fds[2] = {{listenFd.get(), POLLIN, 0}, {wakeRead.get(), POLLIN, 0}};
      int n = ::poll(fds, 2, 1000);
      if (n < 0 && errno != EINTR) return;
      if (fds[1].revents != 0) return;
      Reap();
      if (n <= 0 || (fds[0].revents & POLLIN) == 0) continue;
      int fd = ::accept4(listenFd.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
      if (fd < 0) continue;
      int one = 1;
      ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
      ++connections;
      Connection& c = live.emplace_back();
      c.thread = std::thread([this, &c, sock = Fd(fd)]() mutable {
        Serve(std::move(sock));
        c.done = true;
      });
    }
  }

  void Reap() {
    for (auto it = live.begin(); it != live.end();) {
      if (it->done) {
        it->thread.join();
        it = live.erase(it);
      } else {
        ++it;
      }
    }
  }

  Response Choose(const Request& request) {
    Handler handler;
    {
      std::lock_guard lock(mutex);
      if (auto it = exactRoutes.find(request.target); it != exactRoutes.end()) return it->second;
      if (auto it = pathRoutes.find(request.path); it != pathRoutes.end()) return it->second;
      handler = fallback;
    }
    if (handler) {
      try {
        return handler(request);
      } catch (const std::exception& e) {
        Response r;
        r.status = 500;
        r.reason = "Internal Server Error";
        r.body = e.what();
        return r;
      }
    }
    Response r;
    r.status = 404;
    r.reason = "Not Found";
    r.headers.push_back("Content-Type: text/plain");
    r.body = "not found";
    return r;
  }

  // Reads one request; false when the client sent no complete request.
  static bool ReadRequest(Channel& channel, Request& request) {
    auto deadline = Clock::now() + kReadLimit;
    std::string& raw = request.raw;
    std::size_t headEnd;
    while ((headEnd = raw.find("\r\n\r\n")) == std::string::npos) {
      if (raw.size() > kMaxRequestHead || channel.ReadSome(raw, deadline) <= 0) return false;
    }
    if (!ParseHead(std::string_view(raw).substr(0, headEnd + 2), request)) return false;
    std::size_t want = 0;
    std::string length = request.Header("Content-Length");
    if (!length.empty()) want = std::strtoull(length.c_str(), nullptr, 10);
    std::size_t bodyStart = headEnd + 4;
    while (raw.size() - bodyStart < want) {
      if (channel.ReadSome(raw, deadline) <= 0) break;
    }
    request.body = raw.substr(bodyStart, want);
    return true;
  }

  void Serve(Fd sock) {
    Channel channel(std::move(sock), wakeRead.get());
    if (sslCtx && !channel.StartTls(sslCtx.get())) return;
    Request request;
    if (!ReadRequest(channel, request)) return;
    {
      std::lock_guard lock(mutex);
      requests.push_back(request);
    }
    Response r = Choose(request);

    if (r.delay.count() > 0) {
      pollfd wake = {wakeRead.get(), POLLIN, 0};
      if (::poll(&wake, 1, static_cast<int>(r.delay.count())) != 0) return;
    }
    if (r.neverAnswer) {
      channel.HoldUntilHangUp(kHoldLimit);
      return;
    }
    if (r.raw) {
      if (channel.WriteAll(*r.raw)) channel.FinishGracefully();
      return;
    }
    std::string head = EncodeHead(r);
    std::string body = request.method == "HEAD" ? std::string() : EncodeBody(r);
    if (r.closeAfter) {
      channel.WriteAll(head + body.substr(0, std::min(*r.closeAfter, body.size())));
      return;  // the socket closes without a TLS close_notify: a cut, not an end
    }
    if (r.stallAfter) {
      std::size_t part = std::min(*r.stallAfter, body.size());
      if (!channel.WriteAll(head + body.substr(0, part))) return;
      channel.HoldUntilHangUp(r.stallFor.value_or(kHoldLimit));
      if (!r.stallFor) return;
      if (channel.WriteAll(std::string_view(body).substr(part))) channel.FinishGracefully();
      return;
    }
    if (!channel.WriteAll(head) || !channel.WriteAll(body)) return;
    channel.FinishGracefully();
  }

  ~Impl() {
    if (wakeWrite.get() >= 0) {
      char b = 1;
      [[maybe_unused]] ssize_t w = ::write(wakeWrite.get(), &b, 1);
    }
    if (acceptThread.joinable()) acceptThread.join();
    for (Connection& c : live) c.thread.join();
  }
};

LoopbackServer::LoopbackServer() : LoopbackServer(Options{}) {}

LoopbackServer::LoopbackServer(Options options) : impl_(std::make_unique<Impl>()) {
  // SSL_write may write to a socket whose peer has gone; that must be an
  // error return, not a signal that ends the test binary.
  ::signal(SIGPIPE, SIG_IGN);
  impl_->options = std::move(options);
  if (impl_->options.tls) impl_->SetUpTls();
  impl_->Listen();
  impl_->acceptThread = std::thread([impl = impl_.get()] { impl->AcceptLoop(); });
}

LoopbackServer::~LoopbackServer() = default;

std::uint16_t LoopbackServer::Port() const { return impl_->port; }
bool LoopbackServer::IsTls() const { return impl_->options.tls; }

std::string LoopbackServer::Url(std::string_view pathAndQuery) const {
  return std::string(IsTls() ? "https" : "http") + "://127.0.0.1:" + std::to_string(Port()) +
         std::string(pathAndQuery);
}

const std::string& LoopbackServer::CaPem() const { return impl_->material.caPem; }

void LoopbackServer::Route(std::string target, Response response) {
  std::lock_guard lock(impl_->mutex);
  impl_->exactRoutes[std::move(target)] = std::move(response);
}

void LoopbackServer::RoutePath(std::string path, Response response) {
  std::lock_guard lock(impl_->mutex);
  impl_->pathRoutes[std::move(path)] = std::move(response);
}

void LoopbackServer::SetFallback(Handler handler) {
  std::lock_guard lock(impl_->mutex);
  impl_->fallback = std::move(handler);
}

std::vector<Request> LoopbackServer::Requests() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->requests;
}

std::size_t LoopbackServer::RequestCount() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->requests.size();
}

void LoopbackServer::ClearRequests() {
  std::lock_guard lock(impl_->mutex);
  impl_->requests.clear();
}

std::size_t LoopbackServer::ConnectionCount() const { return impl_->connections; }

std::uint16_t UnusedLoopbackPort() {
  Fd fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  if (fd.get() < 0 || ::bind(fd.get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::getsockname(fd.get(), reinterpret_cast<sockaddr*>(&addr), &len) != 0)
    throw std::runtime_error("UnusedLoopbackPort: bind");
  return ntohs(addr.sin_port);  // released when fd closes; never listened on
}

// ---------------------------------------------------------------------------

ScopedEngineRoutes::ScopedEngineRoutes(const std::vector<HostRoute>& routes,
                                       std::optional<std::string> trustedRootPem)
    : previous_(gavrel::GetEngineTestSettings()) {
  gavrel::EngineTestSettings settings;
  for (const HostRoute& route : routes) {
    settings.connectTo.push_back(route.hostPort +
                                 ":127.0.0.1:" + std::to_string(route.server.Port()));
    if (!trustedRootPem && route.server.IsTls() &&
        settings.extraRootPem.find(route.server.CaPem()) == std::string::npos)
      settings.extraRootPem += route.server.CaPem();
  }
  if (trustedRootPem) settings.extraRootPem = *trustedRootPem;
  gavrel::SetEngineTestSettings(std::move(settings));
}

ScopedEngineRoutes::~ScopedEngineRoutes() { gavrel::SetEngineTestSettings(std::move(previous_)); }

}  // namespace gavrel::testing
