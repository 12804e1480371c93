// http/test_settings.h
//
// Settings of the request engine for tests only. The program never sets them;
// they are not among WebVisit's inputs. With them a test sends the tools'
// real addresses to a server on 127.0.0.1 and makes the engine trust that
// server's throwaway root certificate.
//   connectTo    - curl CONNECT_TO entries "host:port:connecthost:connectport":
//                  a request for host:port connects there instead, while the
//                  Host header, TLS server name and certificate check keep
//                  the address's own host.
//   extraRootPem - PEM of root certificates to trust. When not empty it takes
//                  the place of the system's CA bundle file (curl's
//                  CAINFO_BLOB); the system's CA directory stays in use.
// Example (tests/support's ScopedEngineRoutes does this for you):
//   SetEngineTestSettings({.extraRootPem = server.CaPem(),
//                          .connectTo = {"mp.weixin.qq.com:443:127.0.0.1:40001"}});
#pragma once

#include <string>
#include <vector>

namespace gavrel {

struct EngineTestSettings {
  std::string extraRootPem{};
  std::vector<std::string> connectTo{};
};

// Replaces the settings; every WebVisit that starts afterwards uses them.
void SetEngineTestSettings(EngineTestSettings settings);
// A copy of the current settings (empty unless a test set them).
[[nodiscard]] EngineTestSettings GetEngineTestSettings();

}  // namespace gavrel
