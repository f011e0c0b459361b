// Throughput of the object-text writer and reader on a model text of several megabytes.
#include <benchmark/benchmark.h>

#include <memory>

#include "SampleModel.h"
#include "model/ObjectText.h"

namespace quillon::test {
namespace {

// About 5 MB of text: 6000 items, each with three values and a caption cut over two lines.
constexpr int kItems = 6000;

const TSampleModel& LargeModel() {
    static const std::unique_ptr<TSampleModel> model = [] {
        auto m = std::make_unique<TSampleModel>();
        FillSampleModel(*m, kItems);
        return m;
    }();
    return *model;
}

void BM_WriteObjectText(benchmark::State& state) {
    const TSampleModel& model = LargeModel();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = ObjectToText(model);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
    state.counters["text_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_WriteObjectText)->Unit(benchmark::kMillisecond);

void BM_ReadObjectText(benchmark::State& state) {
    const std::string text = ObjectToText(LargeModel());
    for (auto _ : state) {
        TSampleModel model;
        ObjectFromText(text, model);
        benchmark::DoNotOptimize(&model);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
    state.counters["text_MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(BM_ReadObjectText)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillon::test
