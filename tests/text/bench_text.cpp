// Throughput of the searches on a 16 MB page-like text: FindText for an
// absent marker side by side with memmem on the same bytes, and ReplaceText
// and TextBetween over the same text. Run it from a RelWithDebInfo build:
//   build/tests/text/gavrel_bench_text
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "text/text.h"

namespace gavrel {
namespace {

constexpr std::size_t kSize = 16u << 20;

// Mixed ASCII markup and GBK text, like a downloaded article page.
const std::string& PageText() {
  static const std::string text = [] {
    const std::string line =
        "<p class=\"rich_media\">\xD6\xD0\xCE\xC4\xB1\xEA\xCC\xE2 var msg_title = "
        "\"\xCE\xC4\xD5\xC2\"; <span>abc</span></p>\n";
    std::string t;
    t.reserve(kSize + line.size());
    while (t.size() < kSize) t += line;
    t.resize(kSize);
    return t;
  }();
  return text;
}

const std::string kAbsent = "var user_name = \"";

void BM_Memmem_Absent(benchmark::State& state) {
  const std::string& text = PageText();
  for (auto _ : state) {
    const void* hit = memmem(text.data(), text.size(), kAbsent.data(), kAbsent.size());
    benchmark::DoNotOptimize(hit);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Memmem_Absent)->Unit(benchmark::kMillisecond);

void BM_FindText_Absent(benchmark::State& state) {
  const std::string& text = PageText();
  for (auto _ : state) benchmark::DoNotOptimize(FindText(text, kAbsent));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_FindText_Absent)->Unit(benchmark::kMillisecond);

void BM_FindText_AbsentIgnoreCase(benchmark::State& state) {
  const std::string& text = PageText();
  for (auto _ : state) benchmark::DoNotOptimize(FindText(text, kAbsent, 1, true));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_FindText_AbsentIgnoreCase)->Unit(benchmark::kMillisecond);

// A GBK marker whose bytes also occur misaligned inside the Chinese text, so
// every candidate goes through the character-start check.
void BM_FindText_AbsentGbk(benchmark::State& state) {
  const std::string& text = PageText();
  const std::string misaligned = "\xD0\xCE";  // the middle of D6 D0 CE C4
  for (auto _ : state) benchmark::DoNotOptimize(FindText(text, misaligned));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_FindText_AbsentGbk)->Unit(benchmark::kMillisecond);

void BM_ReplaceText_Every(benchmark::State& state) {
  const std::string& text = PageText();
  for (auto _ : state) benchmark::DoNotOptimize(ReplaceText(text, "<span>", "<b>"));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReplaceText_Every)->Unit(benchmark::kMillisecond);

void BM_ReplaceText_FoldedEvery(benchmark::State& state) {
  const std::string& text = PageText();
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReplaceText(text, "<SPAN>", "", 1, std::nullopt, false));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReplaceText_FoldedEvery)->Unit(benchmark::kMillisecond);

// The right marker is absent, so the search runs to the end of the text.
void BM_TextBetween_RightAbsent(benchmark::State& state) {
  const std::string& text = PageText();
  for (auto _ : state) {
    benchmark::DoNotOptimize(TextBetween(text, "msg_title = #\xD2\xFD\xBA\xC5", kAbsent));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_TextBetween_RightAbsent)->Unit(benchmark::kMillisecond);

void BM_TextBetween_NearEnd(benchmark::State& state) {
  std::string text = PageText();
  text += "var user_name = \"gh_0123456789ab\";";
  for (auto _ : state) {
    benchmark::DoNotOptimize(TextBetween(text, "var user_name = #\xD2\xFD\xBA\xC5", "#\xD2\xFD\xBA\xC5"));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_TextBetween_NearEnd)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace gavrel

BENCHMARK_MAIN();
