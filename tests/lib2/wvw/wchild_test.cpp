#include "lib2/wvw/WChild.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include "lib2/wvw/WCanvas.h"
#include "lib2/wvw/WSheet.h"
#include "tests/support/Block.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;

// A container member declared before the children it lists: the composite
// comes apart by itself, out of a started tree too.
TEST(WChild, ACompositeComesApartByItsDeclarations) {
  struct Composite : WCanvas {
    Composite() { add(&inner, nullptr), inner.add(&b, nullptr), add(&a, nullptr); }
    WChild<WCanvas> inner;
    WChild<Block> a, b;
  };
  WCanvas root;
  WidgetHost host(plat::Point(10, 10));
  host.host(&root);
  {
    WChild<Composite> composite;
    root.add(&composite, nullptr);
  }
  EXPECT_EQ(root.getChildCount(), 0);
}

TEST(WChild, TakesItsWidgetOutOfWhereverItIsWhenItGoes) {
  using Place = void (*)(WCanvas & first, WCanvas & second, Widget & w);
  const std::tuple<const char*, bool, Place, const char*> rows[] = {
      {"never added", false, [](WCanvas&, WCanvas&, Widget&) {}, ""},
      {"removed early", false,
       [](WCanvas& first, WCanvas&, Widget& w) { first.add(&w, nullptr), first.remove(&w); }, ""},
      {"moved", false,
       [](WCanvas& first, WCanvas& second, Widget& w) {
         first.add(&w, nullptr), first.remove(&w), second.add(&w, nullptr);
       },
       ""},
      {"in a started container", true,
       [](WCanvas& first, WCanvas&, Widget& w) { first.add(&w, nullptr); }, "stop w"},
      {"started by a window", false,
       [](WCanvas&, WCanvas& second, Widget& w) { w.start(&second, nullptr); }, "stop w"},
  };
  for (auto [name, hosted, place, heard] : rows) {
    WCanvas first, second;
    EventLog log;
    WidgetHost host(plat::Point(10, 10));
    if (hosted) host.host(&first);
    {
      WChild<Block> w;
      w.setInputHandler(&log);
      log.name(&w, "w");
      place(first, second, w);
      log.take();
    }
    EXPECT_EQ(log.take(), heard) << name;
    EXPECT_EQ(first.getChildCount() + second.getChildCount(), 0) << name;
  }
}

TEST(WChild, AnOwnedWidgetLeavesWhenReplacedOrDroppedButNotWhenMoved) {
  WCanvas canvas;
  WChild<std::unique_ptr<Block>> held = std::make_unique<Block>();
  canvas.add(held.get(), nullptr);
  held = std::make_unique<Block>();
  EXPECT_EQ(canvas.getChildCount(), 0);
  canvas.add(held.get(), nullptr);
  std::vector<WChild<std::unique_ptr<Block>>> list;
  list.push_back(std::move(held));
  list.insert(list.begin(), std::make_unique<Block>());
  EXPECT_EQ(canvas.getChildCount(), 1);
  list.clear();
  EXPECT_EQ(canvas.getChildCount(), 0);
}

// A borrowed widget leaves the holder's container only, and one that went
// first is never looked at again (ASan watches the sheet's page).
TEST(WChild, ABorrowedWidgetLeavesOnlyItsOwnContainerWhileListedThere) {
  Block listed, moved;
  WCanvas other;
  {
    WCanvas canvas;
    WChild<Widget*> a(&canvas, &listed), b(&canvas, &moved);
    for (Widget* w : {&listed, &moved}) canvas.add(w, nullptr);
    canvas.remove(&moved), other.add(&moved, nullptr);
  }
  EXPECT_TRUE(!listed.getParentLayout() && moved.getParentLayout() == &other);
  other.remove(&moved);
  auto page = std::make_unique<Block>();
  WSheet sheet(page.get());
  sheet.remove(page.get());
  page.reset();
}
