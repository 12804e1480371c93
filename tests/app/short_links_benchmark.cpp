// Benchmark (not a test): resolving 1,000 short links through the real
// window against a loopback server that answers at once, next to the same
// 1,000 WebVisit calls alone, in alternating rounds. The tool's own cost
// (pattern, cuts, one appended line per address, clipboard) should stay
// within 2 ms per address.
// A third column runs the tool over boxes held in plain strings, to tell the
// tool's own cost from the window's (painting the list as it grows).
// Run: QT_QPA_PLATFORM=offscreen build/tests/app/short_links_benchmark [rounds] [addresses]
// (a run with 10000 addresses shows that the cost per address stays flat).
#include <QApplication>
#include <QTabWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "http/http.h"
#include "lookups/lookups.h"
#include "tests/lookups/article_fixture.h"
#include "tests/support/loopback_server.h"
#include "window_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;

template <typename F>
double MillisecondsOf(F&& run) {
  const auto start = Clock::now();
  run();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The two boxes of the short-link page as strings; nothing is shown.
class StringControls final : public gavrel::Controls {
 public:
  gavrel::Text GetControlText(std::string_view name) override {
    const auto it = texts_.find(name);
    return it == texts_.end() ? gavrel::Text() : it->second;
  }
  void SetControlText(std::string_view name, std::string_view text) override {
    texts_[std::string(name)] = text;
  }
  void AppendControlText(std::string_view name, std::string_view text) override {
    texts_[std::string(name)] += text;
  }
  std::uint32_t GetControlTextColor(std::string_view) override { return 0; }
  void SetControlTextColor(std::string_view, std::uint32_t) override {}
  void FocusControl(std::string_view) override {}
  void SetClipboardText(std::string_view) override {}
  void ShowTimedNotice(std::string_view) override {}

 private:
  std::map<std::string, gavrel::Text, std::less<>> texts_;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  using namespace gavrel;
  using namespace gavrel::testing;
  QApplication app(argc, argv);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const int addressCount = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1000;

  LoopbackServer server;
  const std::string page = ReadLookupFixture("article_page.html");
  server.SetFallback([&page](const Request&) { return Response::Html(page); });
  ScopedEngineRoutes routes({{"mp.weixin.qq.com:80", server}});

  std::vector<std::string> addresses;
  Text input;
  for (int i = 0; i < addressCount; ++i) {
    addresses.push_back("http://mp.weixin.qq.com/s/Bench" + std::to_string(i));
    input += addresses.back() + (i % 2 ? "\r\n" : " ");
  }

  auto window = OpenMainWindow();
  if (!window) {
    std::fprintf(stderr, "the window did not show\n");
    return 2;
  }
  window->tabs()->setCurrentIndex(2);
  Controls& ui = window->controls();

  StringControls strings;
  std::vector<double> visits, resolves, bare;
  std::size_t lines = 0;
  for (int r = 0; r < rounds; ++r) {
    visits.push_back(MillisecondsOf([&] {
      for (const auto& address : addresses) static_cast<void>(WebVisit(address));
    }));
    ui.SetControlText("编辑框_短链接输入", input);
    resolves.push_back(MillisecondsOf([&] { ResolveShortLinks(ui); }));
    const Text result = ui.GetControlText("编辑框_长链接结果");
    lines = static_cast<std::size_t>(std::count(result.begin(), result.end(), '\n'));
    strings.SetControlText("编辑框_短链接输入", input);
    bare.push_back(MillisecondsOf([&] { ResolveShortLinks(strings); }));
  }
  const double visitMs = Median(visits);
  const double resolveMs = Median(resolves);
  const double bareMs = Median(bare);
  const double perAddress = (resolveMs - visitMs) / addressCount;
  std::printf("%d addresses, %d rounds, %zu lines listed, %zu requests served\n", addressCount,
              rounds, lines, server.RequestCount());
  std::printf("WebVisit alone:                 median %8.1f ms (%.3f ms each)\n", visitMs,
              visitMs / addressCount);
  std::printf("ResolveShortLinks, real window: median %8.1f ms (%.3f ms each)\n", resolveMs,
              resolveMs / addressCount);
  std::printf("ResolveShortLinks, no window:   median %8.1f ms (%.3f ms each)\n", bareMs,
              bareMs / addressCount);
  std::printf("cost beyond the fetches, window: %.3f ms per address (limit 2) %s\n", perAddress,
              perAddress <= 2.0 ? "ok" : "OVER");
  std::printf("cost beyond the fetches, no window: %.3f ms per address\n",
              (bareMs - visitMs) / addressCount);
  return perAddress <= 2.0 && lines == static_cast<std::size_t>(addressCount) ? 0 : 1;
}
