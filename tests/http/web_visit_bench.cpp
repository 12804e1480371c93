// gavrel_bench_http: WebVisit of a 10 MB UTF-8 page on loopback, decoding
// included, side by side with `curl -s -o /dev/null` for the same address,
// and the peak heap the call holds; then 1,000 small sequential requests
// against the loopback server. Not a test: it prints numbers.
//
// Usage: gavrel_bench_http [rounds]   (default 9; medians are reported)
#include <malloc.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "http/http.h"
#include "tests/support/loopback_server.h"

extern char** environ;

namespace {

// Heap bytes held by operator new on the measuring thread only, so that the
// server's own copies of the page do not count.
thread_local bool tCounting = false;
std::atomic<long long> gHeld{0};
std::atomic<long long> gPeak{0};

void Count(void* p, bool add) {
  if (!tCounting || p == nullptr) return;
  long long n = static_cast<long long>(malloc_usable_size(p));
  long long now = add ? (gHeld += n) : (gHeld -= n);
  long long peak = gPeak.load();
  while (now > peak && !gPeak.compare_exchange_weak(peak, now)) {
  }
}

}  // namespace

void* operator new(std::size_t n) {
  void* p = std::malloc(n == 0 ? 1 : n);
  if (p == nullptr) throw std::bad_alloc();
  Count(p, true);
  return p;
}
void operator delete(void* p) noexcept {
  Count(p, false);
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  Count(p, false);
  std::free(p);
}

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Runs curl -s -o /dev/null url; returns milliseconds, or -1 when curl fails.
double TimeCurl(const std::string& url) {
  std::string u = url;
  char curl[] = "curl", s[] = "-s", o[] = "-o", null[] = "/dev/null", noproxy[] = "--noproxy",
       all[] = "*";
  char* argv[] = {curl, s, o, null, noproxy, all, u.data(), nullptr};
  auto start = Clock::now();
  pid_t pid = 0;
  if (posix_spawnp(&pid, "curl", nullptr, nullptr, argv, environ) != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  double took = Ms(Clock::now() - start);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? took : -1;
}

std::string MakeUtf8Page(std::size_t size) {
  std::string page = "<html><head><meta charset=\"utf-8\"><title>bench</title></head><body>";
  const std::string line = "<p>\xE5\xBE\xAE\xE4\xBF\xA1\xE5\x85\xAC\xE4\xBC\x97\xE5\x8F\xB7 "
                           "article text \xE6\x96\x87\xE7\xAB\xA0</p>\n";
  while (page.size() + line.size() < size) page += line;
  page.append(size - page.size(), ' ');
  return page;
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  const std::size_t kSize = 10u << 20;
  gavrel::testing::LoopbackServer server;
  server.Route("/page", gavrel::testing::Response::Html(MakeUtf8Page(kSize)));
  server.Route("/small", gavrel::testing::Response::Html("<p>small</p>"));
  const std::string url = server.Url("/page");

  std::vector<double> curlMs, visitMs;
  long long peak = 0;
  std::size_t textSize = 0;
  for (int i = 0; i < rounds; ++i) {
    double c = TimeCurl(url);
    if (c < 0) {
      std::fprintf(stderr, "curl failed; is the curl package installed?\n");
      return 1;
    }
    curlMs.push_back(c);

    gHeld = 0;
    gPeak = 0;
    tCounting = true;
    auto start = Clock::now();
    {
      gavrel::Text page = gavrel::WebVisit(url);
      visitMs.push_back(Ms(Clock::now() - start));
      textSize = page.size();
    }
    tCounting = false;
    peak = std::max(peak, gPeak.load());
  }
  double curlMedian = Median(curlMs), visitMedian = Median(visitMs);
  std::printf("10 MB UTF-8 page, %d rounds (medians)\n", rounds);
  std::printf("  curl -s -o /dev/null : %8.1f ms\n", curlMedian);
  std::printf("  WebVisit (decoded)   : %8.1f ms   ratio %.2f (limit 2.00)\n", visitMedian,
              visitMedian / curlMedian);
  std::printf("  result text          : %zu bytes of GB18030\n", textSize);
  std::printf("  peak heap of the call: %.1f MB = %.2f x body (limit 5.00)\n",
              static_cast<double>(peak) / (1 << 20), static_cast<double>(peak) / kSize);

  const int kSmall = 1000;
  auto start = Clock::now();
  int ok = 0;
  for (int i = 0; i < kSmall; ++i) ok += gavrel::WebVisit(server.Url("/small")) == "<p>small</p>";
  double total = Ms(Clock::now() - start);
  std::printf("%d sequential small requests: %.1f ms, %.3f ms each (%d answered)\n", kSmall, total,
              total / kSmall, ok);
  return visitMedian <= 2 * curlMedian && peak < 5 * static_cast<long long>(kSize) ? 0 : 2;
}
