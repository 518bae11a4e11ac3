#include "lib2/mui/MuList.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "lib2/mui/MuFactories.h"
#include "tests/support/FakeMui.h"

namespace {

using mui::MuList;

class MuListTest : public ::testing::Test {
 protected:
  gwtest::FakeMui backEnd;
  std::unique_ptr<mui::MuLayout> root{new mui::MuLayout(nullptr, "root", mui::MuLayout::Vertical)};
  MuList* list = mui::muList(root.get(), "list", 0, nullptr);

  std::string items() { return list->getItems().get(); }
};

// One column holding "a", "b" and "c"; the rows after a step, as items.
TEST_F(MuListTest, RowsGoWhereTheIndexSaysAndOutOfRangeIndexesAppendOrDoNothing) {
  const struct {
    const char* name;
    void (*step)(MuList*);
    const char* items;
  } rows[] = {
      {"add -1", [](MuList* l) { l->addRow(-1); }, "0:\"a\"\n1:\"b\"\n2:\"c\"\n3:\"\"\n"},
      {"add count", [](MuList* l) { l->addRow(3); }, "0:\"a\"\n1:\"b\"\n2:\"c\"\n3:\"\"\n"},
      {"add 0", [](MuList* l) { l->addRow(0); }, "0:\"\"\n1:\"a\"\n2:\"b\"\n3:\"c\"\n"},
      {"data at 5", [](MuList* l) { l->addRowData(5, {"x"}); },
       "0:\"a\"\n1:\"b\"\n2:\"c\"\n3:\"x\"\n"},
      {"remove count", [](MuList* l) { l->removeRow(3); }, "0:\"a\"\n1:\"b\"\n2:\"c\"\n"},
      {"remove -1", [](MuList* l) { l->removeRow(-1); }, "0:\"a\"\n1:\"b\"\n2:\"c\"\n"},
      {"remove 1", [](MuList* l) { l->removeRow(1); }, "0:\"a\"\n1:\"c\"\n"},
      {"remove all", [](MuList* l) { l->removeAllRows(); }, ""},
      {"a null text", [](MuList* l) { l->setData(1, 7, nullptr); }, "0:\"a\"\n1:\"\"\n2:\"c\"\n"},
  };
  for (const auto& r : rows) {
    MuList* l = mui::muList(root.get(), "l", 0, nullptr);
    l->addColumn(7, MuList::Text, "Name", -1);
    for (const char* t : {"a", "b", "c"}) l->addRowData(-1, t);
    r.step(l);
    EXPECT_EQ(std::string(l->getItems().get()), r.items) << r.name;
  }
}

TEST_F(MuListTest, CellsKeepColumnOrderWhateverTheIds) {
  list->addColumn(1, MuList::Text, "Name", -1);
  list->addColumn(0, MuList::Image, nullptr, -1);
  list->addRowData(5, "first", "user");
  EXPECT_EQ(items(), "0:\"first\"|\"user\"\n");
  EXPECT_EQ(list->getColumnIndex(0), 1);
  EXPECT_EQ(list->getColumnIndex(9), -1);
}

// Rows made before a column used to stay a cell short, and writing or
// reading the new column's cell went past the row.
TEST_F(MuListTest, AColumnAddedAfterRowsGivesEachRowAnEmptyCell) {
  list->addRow(-1);
  list->addColumn(1, MuList::Text, "Name", -1);
  list->addRowData(-1, {"b"});
  list->addColumn(2, MuList::Text, "Kind", -1);
  list->setData(0, 2, "x");
  EXPECT_EQ(items(), "0:\"\"|\"x\"\n1:\"b\"|\"\"\n");
}

// Writing a row that does not exist used to write past the rows.
TEST_F(MuListTest, WritingACellThatDoesNotExistStopsTheProgram) {
  list->addColumn(1, MuList::Text, "Name", -1);
  list->addRowData(-1, {"a"});
  EXPECT_DEATH(list->setData(1, 1, "x"), "Assertion 'isValidRow\\(row\\)' failed");
  EXPECT_DEATH(list->setRowData(-1, "x"), "Assertion 'isValidRow\\(row\\)' failed");
  EXPECT_DEATH(list->setData(0, 2, "x"), "Assertion 'col >= 0' failed");
  EXPECT_DEATH(list->addRowData(0, {"x", "y"}), "2 texts for 1 columns");
  mui::muListFactory = nullptr;
  EXPECT_DEATH(mui::muList(root.get(), "l", 0, nullptr), "'muListFactory'");
}

}  // namespace
