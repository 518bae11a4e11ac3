// What typing and pasting cost in a text field. A keystroke into a 16 KB
// text followed by the repaint it causes, beside its peer, the repaint alone.
// A 1 MB paste into a field with room for it, beside its peer, the UTF-8
// check every paste must make anyway; and the same paste refused by a
// 255-byte field, which must not cost more than that check.
#include <benchmark/benchmark.h>

#include <string>

#include "lib1/plat/Utf8.h"
#include "lib2/fb/Keysyms.h"
#include "lib2/wvw/WText.h"
#include "tests/support/WidgetHost.h"

namespace {

std::string text(size_t size) {
  std::string s;
  while (s.size() < size)
    s += "Grantwell composes the permissions of users, groups and \xC3\xA9quipes. ";
  s.resize(size);
  return s;
}

void KeystrokeToFrame(benchmark::State& state) {
  gwtest::WidgetHost host(plat::Point(400, 24));
  wvw::WText field(32768, text(16384).c_str(), false);
  host.host(&field);
  host.focusWindow(true);
  bool typed = false;
  for (auto _ : state) {
    host.press(typed ? fb::keysym::BackSpace : 'x');
    typed = !typed;
    benchmark::DoNotOptimize(host.render().getRect());
  }
  host.unhost();
}

void PeerFrameOnly(benchmark::State& state) {
  gwtest::WidgetHost host(plat::Point(400, 24));
  wvw::WText field(32768, text(16384).c_str(), false);
  host.host(&field);
  host.focusWindow(true);
  for (auto _ : state) {
    field.invalidate();
    benchmark::DoNotOptimize(host.render().getRect());
  }
  host.unhost();
}

void PasteOneMegabyte(benchmark::State& state) {
  gwtest::WidgetHost host(plat::Point(400, 24));
  wvw::WText field(state.range(0), nullptr, false);
  host.host(&field);
  host.cutText = text(1 << 20);
  for (auto _ : state) {
    field.select(0, -1);
    field.editCommand(wvw::WText::Paste);
    benchmark::DoNotOptimize(field.getText());
  }
  host.unhost();
}

void PeerValidateOneMegabyte(benchmark::State& state) {
  std::string s = text(1 << 20);
  for (auto _ : state) benchmark::DoNotOptimize(plat::isValidUtf8(s.c_str()));
}

}  // namespace

BENCHMARK(KeystrokeToFrame);
BENCHMARK(PeerFrameOnly);
BENCHMARK(PasteOneMegabyte)->Arg(2 << 20)->Arg(255);
BENCHMARK(PeerValidateOneMegabyte);
