// Throughput of the object-text writer and reader on a model text of several megabytes.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "SampleModel.h"
#include "model/ObjectText.h"

namespace quillon::test {
namespace {

// A model of `items` items, each with three values and a caption cut over two lines: 9500 items
// make about 5 MB of text. Two sizes show that throughput does not fall with size.
const TSampleModel& ModelOf(int items) {
    static std::map<int, std::unique_ptr<TSampleModel>> models;
    std::unique_ptr<TSampleModel>& model = models[items];
    if (!model) {
        model = std::make_unique<TSampleModel>();
        FillSampleModel(*model, items);
    }
    return *model;
}

void BM_WriteObjectText(benchmark::State& state) {
    const TSampleModel& model = ModelOf(static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = ObjectToText(model);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
    state.counters["text_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_WriteObjectText)->Arg(950)->Arg(9500)->Unit(benchmark::kMillisecond);

void BM_ReadObjectText(benchmark::State& state) {
    const std::string text = ObjectToText(ModelOf(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        TSampleModel model;
        ObjectFromText(text, model);
        benchmark::DoNotOptimize(&model);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
    state.counters["text_MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(BM_ReadObjectText)->Arg(950)->Arg(9500)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillon::test
