// Benchmark (not a test): a lookup of a 2 MB article page over TLS on
// 127.0.0.1 against WebVisit alone for the same page, measured side by side
// in alternating rounds so that both see the same machine load. The lookup
// should take at most 1.2 times the fetch: the cutting costs nothing next to
// the exchange.
// Run: build/tests/lookups/article_lookup_benchmark [rounds]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "http/http.h"
#include "lookups/lookups.h"
#include "tests/lookups/article_fixture.h"
#include "tests/support/loopback_server.h"

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

template <typename F>
double MillisecondsOf(F&& run) {
  const auto start = Clock::now();
  run();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace gavrel::testing;
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;

  const std::string page = GrownArticlePage(2 * 1024 * 1024);
  LoopbackServer server(LoopbackServer::Options{.tls = true});
  server.RoutePath("/s/benchmark", Response::Html(page));
  ScopedEngineRoutes routes({{"mp.weixin.qq.com:443", server}});
  const std::string address = "https://mp.weixin.qq.com/s/benchmark";

  // One of each first, so that neither pays for warming up.
  const std::size_t fetched = gavrel::WebVisit(address).size();
  if (gavrel::LookupArticleAccount(address).account.originalId.empty() || fetched == 0) {
    std::fprintf(stderr, "the page did not come through\n");
    return 2;
  }

  std::vector<double> visit, lookup;
  for (int i = 0; i < rounds; ++i) {
    visit.push_back(MillisecondsOf([&] { static_cast<void>(gavrel::WebVisit(address)); }));
    lookup.push_back(
        MillisecondsOf([&] { static_cast<void>(gavrel::LookupArticleAccount(address)); }));
  }
  const double visitMs = Median(visit);
  const double lookupMs = Median(lookup);
  const double ratio = lookupMs / visitMs;
  std::printf("page: %zu bytes on the wire, %zu bytes as Text; %d rounds\n", page.size(),
              fetched, rounds);
  std::printf("WebVisit alone:       median %.2f ms\n", visitMs);
  std::printf("LookupArticleAccount: median %.2f ms\n", lookupMs);
  std::printf("ratio: %.3f (limit 1.2) %s\n", ratio, ratio <= 1.2 ? "ok" : "OVER");
  return ratio <= 1.2 ? 0 : 1;
}
