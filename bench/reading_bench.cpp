// Throughput of the token readers against a plain byte-translation pass over the same bytes.
#include <benchmark/benchmark.h>

#include <string>

#include "reading/AreaFile.h"

namespace {

constexpr size_t kTargetBytes = 4 << 20;

// KOI8-R text as an area file holds it: tilde-terminated multi-line strings.
std::string make_strings() {
  const std::string koi8_line =
      "\xF7\xCF\xD2\xCF\xD4\xC1 \xDA\xC1\xCB\xD2\xD9\xD4\xD9, a gate of the old town stands here.\n";
  std::string text;
  text.reserve(kTargetBytes + 256);
  while (text.size() < kTargetBytes)
    text += koi8_line + koi8_line + koi8_line + "~\n";
  return text;
}

// Numbers as resets and objects hold them, with signs and '|' sums.
std::string make_numbers() {
  std::string text;
  text.reserve(kTargetBytes + 64);
  for (int i = 0; text.size() < kTargetBytes; ++i) {
    text += std::to_string(i * 37) + " -" + std::to_string(i % 1000) + " 1|2|" + std::to_string(i) + "\n";
  }
  return text;
}

template <class Read>
void read_all(benchmark::State& state, const std::string& text, Read&& read) {
  tavro::TAreaFile f;
  f.load_text(text);
  for (auto _ : state) {
    f.Position = 1;
    while (!f.at_eof()) {
      benchmark::DoNotOptimize(read(f));
      while (!f.at_eof() && tavro::is_space(f.Buffer[static_cast<size_t>(f.Position - 1)]))
        ++f.Position;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * f.Length);
}

void BM_ByteTranslation(benchmark::State& state) {
  const std::string text = make_strings();
  for (auto _ : state)
    benchmark::DoNotOptimize(tavro::koi8_to_cp1251(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_LoadText(benchmark::State& state) {
  const std::string text = make_strings();
  tavro::TAreaFile f;
  for (auto _ : state) {
    f.load_text(text);
    benchmark::DoNotOptimize(f.Buffer.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_FreadString(benchmark::State& state) {
  read_all(state, make_strings(), [](tavro::TAreaFile& f) { return tavro::fread_string(f).size(); });
}

void BM_FreadNumber(benchmark::State& state) {
  read_all(state, make_numbers(), [](tavro::TAreaFile& f) { return tavro::fread_number(f); });
}

void BM_FreadWord(benchmark::State& state) {
  read_all(state, make_numbers(), [](tavro::TAreaFile& f) { return tavro::fread_word(f).size(); });
}

}  // namespace

BENCHMARK(BM_ByteTranslation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreadString)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreadNumber)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreadWord)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
