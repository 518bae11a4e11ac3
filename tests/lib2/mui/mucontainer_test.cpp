#include <gtest/gtest.h>

#include <memory>

#include "tests/support/FakeMui.h"

namespace {

using gwtest::fakeLeaf;
using mui::MuElement;
using mui::MuFrame;
using mui::MuLayout;

// Counts its own destruction.
struct Counted : MuElement {
  Counted(mui::MuContainer* parent, int* counter)
      : MuElement(parent, "counted", nullptr), deaths(counter) {}
  ~Counted() override { ++*deaths; }
  int* deaths;
};

class MuContainerTest : public ::testing::Test {
 protected:
  gwtest::FakeMui backEnd;
  std::unique_ptr<mui::MuDialog> dialog{
      mui::muDialog("dlg", nullptr, {300, 200}, 0, nullptr, nullptr)};
  MuLayout* column = mui::muLayout(dialog.get(), "col", MuLayout::Vertical);
};

TEST_F(MuContainerTest, DottedPathsFindTheFirstMatchAtEachLevel) {
  MuLayout* row = mui::muLayout(column, "row", MuLayout::Horizontal);
  MuElement* first = fakeLeaf(row, "a");
  fakeLeaf(row, "a");
  MuElement* leaf = fakeLeaf(column, "leaf");
  struct Row {
    const char* path;
    MuElement* found;
  } rows[] = {
      {"col.row.a", first},  {"col.leaf", leaf},    {"col.leaf.x", nullptr},
      {"col.row.", nullptr}, {"col.nope", nullptr}, {"Col", nullptr},
  };
  for (const Row& r : rows) EXPECT_EQ(dialog->lookupElement(r.path), r.found) << r.path;
  EXPECT_EQ(column->lookupElement(nullptr), column);
}

TEST_F(MuContainerTest, ALockAnywhereBelowLocksTheContainer) {
  MuFrame* frame = mui::muFrame(column, "frame", nullptr, MuFrame::Bordered);
  MuLayout* inside = mui::muLayout(frame, "inside", MuLayout::Vertical);
  MuElement* grandchild = fakeLeaf(inside, "g");
  EXPECT_FALSE(frame->isAnyLocked());
  grandchild->lock(true);
  EXPECT_TRUE(frame->isAnyLocked());
  EXPECT_TRUE(dialog->isAnyLocked());
}

TEST_F(MuContainerTest, ASecondChildReplacesTheFirstInASingleContainer) {
  MuFrame* frame = mui::muFrame(column, "frame", "Title", MuFrame::Titled);
  int deaths = 0;
  auto* first = new Counted(frame, &deaths);
  frame->childAdded(first);
  frame->childAdded(first);
  EXPECT_EQ(deaths, 0);
  MuElement* second = fakeLeaf(frame, "second");
  EXPECT_EQ(deaths, 1);
  EXPECT_EQ(frame->numChildren(), 1);
  EXPECT_EQ(frame->lookup(-1), second);
  EXPECT_EQ(frame->lookup(1), nullptr);
}

TEST_F(MuContainerTest, RemovingAChildDestroysIt) {
  int deaths = 0;
  auto* c = new Counted(column, &deaths);
  column->childAdded(c);
  column->removeChild(c);
  EXPECT_EQ(deaths, 1);
  EXPECT_EQ(column->numChildren(), 0);
}

TEST_F(MuContainerTest, BrokenInvariantsStopTheProgram) {
  MuFrame* frame = mui::muFrame(column, "frame", nullptr, MuFrame::Plain);
  MuElement stranger(nullptr, "stranger", nullptr);
  EXPECT_DEATH(column->removeChild(nullptr), "Assertion 'element' failed");
  EXPECT_DEATH(frame->childRemoved(&stranger), "Assertion 'element == child.get\\(\\)' failed");
}

}  // namespace
