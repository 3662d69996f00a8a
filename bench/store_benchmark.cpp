// The time slot store: appending, finding an entry, the latest-ending slot of an attribute
// and the distinct attributes, for stores of 100 to 100,000 entries carrying few (4) or
// many (one per two entries) distinct attributes.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "dayweave/time_slot_store.h"

namespace {

using dayweave::COleDateTime;
using dayweave::COleDateTimeSpan;
using dayweave::CString;
using dayweave::CTimeSlot;
using dayweave::CTimeSlotStore;

CString AttributeOf(int entry, int distinct) {
  return CString("attribute-" + std::to_string(entry % distinct));
}

CTimeSlot* SlotOf(int entry) {
  const COleDateTime start = COleDateTime(2003, 1, 1, 9, 0, 0) + COleDateTimeSpan(entry * 0.01);
  return new CTimeSlot(start, 30);
}

std::unique_ptr<CTimeSlotStore> FilledStore(int entries, int distinct) {
  auto store = std::make_unique<CTimeSlotStore>();
  for (int i = 0; i < entries; ++i) store->Add(SlotOf(i), AttributeOf(i, distinct), "id");
  return store;
}

int Distinct(const benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  return state.range(1) == 0 ? 4 : entries / 2;
}

void BM_StoreAdd(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(FilledStore(entries, Distinct(state)));
  }
  state.SetItemsProcessed(state.iterations() * entries);
}

void BM_StoreGetIndexOfLastEntry(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  const auto store = FilledStore(entries, Distinct(state));
  const CTimeSlot probe = *store->GetTimeSlot(entries - 1);
  const CString attribute = store->GetAttribute(entries - 1);
  for (auto _ : state) benchmark::DoNotOptimize(store->GetIndex(&probe, attribute));
}

void BM_StoreGetLastSlot(benchmark::State& state) {
  const auto store = FilledStore(static_cast<int>(state.range(0)), Distinct(state));
  const CString attribute = AttributeOf(1, Distinct(state));
  for (auto _ : state) benchmark::DoNotOptimize(store->GetLastSlot(attribute));
}

void BM_StoreGetAttributesUnique(benchmark::State& state) {
  const auto store = FilledStore(static_cast<int>(state.range(0)), Distinct(state));
  for (auto _ : state) {
    std::unique_ptr<dayweave::CStringArray> unique(store->GetAttributesUnique());
    benchmark::DoNotOptimize(unique->GetSize());
  }
}

void StoreSizes(benchmark::internal::Benchmark* bench) {
  bench->ArgNames({"entries", "many_attributes"});
  for (int entries : {100, 10000, 100000}) {
    for (int many : {0, 1}) bench->Args({entries, many});
  }
}

BENCHMARK(BM_StoreAdd)->Apply(StoreSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StoreGetIndexOfLastEntry)->Apply(StoreSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StoreGetLastSlot)->Apply(StoreSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StoreGetAttributesUnique)->Apply(StoreSizes)->Unit(benchmark::kMicrosecond);

}  // namespace
