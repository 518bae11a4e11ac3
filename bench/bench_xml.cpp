// Reading a generated 10 MB document: our reader, which builds the whole
// tree, beside expat, which only calls back per element and text (here:
// counting them), in the same run. Memory: the bytes our tree holds once
// read (glibc's count of bytes in use, before and after), and expat's peak
// through its own allocator hooks.
//
// Writing indented text: a chain of nested elements beside a flat document
// of as many elements under one root. Both should cost the same per
// element, whatever the depth.
#include <benchmark/benchmark.h>
#include <expat.h>
#include <malloc.h>

#include <cstdlib>
#include <random>
#include <string>

#include "xml/XMLNode.h"
#include "xml/XMLUtil.h"

namespace {

// Records of a small address book: attributes, short texts with entities,
// a comment now and then, three levels deep.
const std::string& document() {
  static std::string doc;
  if (!doc.empty()) return doc;
  std::mt19937 rng(7);
  doc = "<?xml version=\"1.0\"?>\n<book>\n";
  for (int i = 0; doc.size() < 10u << 20; ++i) {
    doc += "  <person id=\"" + std::to_string(i) + "\" kind=\"" + (rng() % 2 ? "staff" : "guest") +
           "\">\n";
    doc += "    <name>Person &amp; number " + std::to_string(rng() % 100000) + "</name>\n";
    doc += "    <mail>p" + std::to_string(i) + "@example.org</mail>\n";
    if (i % 10 == 0) doc += "    <!-- checked -->\n";
    doc += "    <phones><phone type=\"home\">+41 " + std::to_string(rng()) +
           "</phone><phone type=\"work\"/></phones>\n  </person>\n";
  }
  doc += "</book>\n";
  return doc;
}

void BM_OurReader(benchmark::State& state) {
  const std::string& doc = document();
  size_t held = 0;
  for (auto _ : state) {
    size_t before = mallinfo2().uordblks;
    xml::XMLResults r;
    xml::XMLNode root = xml::XMLNode::parseString(doc.c_str(), "book", &r);
    held = mallinfo2().uordblks - before;
    if (r.error != xml::eXMLErrorNone) state.SkipWithError("reading failed");
    benchmark::DoNotOptimize(root.nChildNode());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(doc.size()));
  state.counters["held_MB"] = double(held) / (1 << 20);
}
BENCHMARK(BM_OurReader)->Unit(benchmark::kMillisecond);

// Expat's memory, counted through its allocator hooks: a size header in
// front of every block keeps the count exact across realloc and free.
size_t gInUse = 0, gPeak = 0;

void* countedMalloc(size_t n) {
  auto* p = static_cast<size_t*>(malloc(n + sizeof(size_t)));
  if (!p) return nullptr;
  *p = n;
  gInUse += n;
  if (gInUse > gPeak) gPeak = gInUse;
  return p + 1;
}

void countedFree(void* block) {
  if (!block) return;
  size_t* p = static_cast<size_t*>(block) - 1;
  gInUse -= *p;
  free(p);
}

void* countedRealloc(void* block, size_t n) {
  if (!block) return countedMalloc(n);
  size_t* p = static_cast<size_t*>(block) - 1;
  size_t old = *p;
  auto* q = static_cast<size_t*>(realloc(p, n + sizeof(size_t)));
  if (!q) return nullptr;
  *q = n;
  gInUse += n - old;
  if (gInUse > gPeak) gPeak = gInUse;
  return q + 1;
}

void BM_Expat(benchmark::State& state) {
  const std::string& doc = document();
  XML_Memory_Handling_Suite suite{countedMalloc, countedRealloc, countedFree};
  for (auto _ : state) {
    gInUse = gPeak = 0;
    long items = 0;
    XML_Parser parser = XML_ParserCreate_MM(nullptr, &suite, nullptr);
    XML_SetUserData(parser, &items);
    XML_SetElementHandler(
        parser, [](void* d, const XML_Char*, const XML_Char**) { ++*static_cast<long*>(d); },
        nullptr);
    XML_SetCharacterDataHandler(parser,
                                [](void* d, const XML_Char*, int) { ++*static_cast<long*>(d); });
    if (XML_Parse(parser, doc.data(), int(doc.size()), 1) != XML_STATUS_OK)
      state.SkipWithError("expat failed");
    XML_ParserFree(parser);
    benchmark::DoNotOptimize(items);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(doc.size()));
  state.counters["peak_MB"] = double(gPeak) / (1 << 20);
}
BENCHMARK(BM_Expat)->Unit(benchmark::kMillisecond);

std::string chain(int n) {
  std::string text;
  for (int i = 0; i < n; ++i) text += "<a>";
  for (int i = 0; i < n; ++i) text += "</a>";
  return text;
}

std::string flat(int n) {
  std::string text = "<a>";
  for (int i = 1; i < n; ++i) text += "<a/>";
  return text + "</a>";
}

void BM_WriteIndented(benchmark::State& state, std::string (*shape)(int)) {
  xml::XMLNode root = xml::XMLNode::parseString(shape(int(state.range(0))).c_str());
  for (auto _ : state) {
    int size = 0;
    char* text = root.createXMLString(1, &size);
    benchmark::DoNotOptimize(text);
    xml::freeXMLString(text);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK_CAPTURE(BM_WriteIndented, deep, chain)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WriteIndented, flat, flat)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
