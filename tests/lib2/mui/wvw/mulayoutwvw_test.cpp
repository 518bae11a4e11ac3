#include <gtest/gtest.h>

#include <algorithm>

#include "lib2/fb/Keysyms.h"
#include "tests/lib2/mui/wvw/ControlsHost.h"

namespace {

using mui::MuLayout;

class MuLayoutWvwTest : public gwtest::ControlsHost {};

// Tick rows moved about as the permissions editor and the button bar move
// theirs; each row moves from the order the row before it left.
TEST_F(MuLayoutWvwTest, TabVisitsTheRowsTopToBottomAfterEachReorder) {
  std::vector<mui::MuElement*> rows;
  for (const char* id : {"a", "b", "c", "d"})
    rows.push_back(mui::muCheck(&root, id, id, mui::MuCheck::Normal, nullptr, nullptr));
  mui::MuElement *a = rows[0], *b = rows[1], *c = rows[2], *d = rows[3];
  show();
  host.focusWindow(true);
  const struct {
    const char* name;
    mui::MuElement* moved;
    MuLayout::ReorderOp op;
    mui::MuElement* ref;
  } steps[] = {
      {"d before b", d, MuLayout::Before, b},
      {"a after c", a, MuLayout::After, c},
      {"c to the start", c, MuLayout::ToStart, nullptr},
      {"d to the end", d, MuLayout::ToEnd, nullptr},
  };
  for (const auto& s : steps) {
    root.reorderChild(s.moved, s.op, s.ref);
    std::vector<mui::MuElement*> onScreen = rows;
    std::sort(onScreen.begin(), onScreen.end(),
              [](auto* l, auto* r) { return l->getPos().y < r->getPos().y; });
    std::string expected, visited;
    for (mui::MuElement* e : onScreen) expected += e->getId();
    onScreen[0]->focus();
    for (size_t i = 0; i < rows.size(); i++) {
      for (mui::MuElement* e : rows)
        if (e->hasFocus()) visited += e->getId();
      host.press(fb::keysym::Tab);
    }
    EXPECT_EQ(visited, expected) << s.name;
  }
}

}  // namespace
