#include "ui/list_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ql::ui {
namespace {

String Make(const char* s) { return NewStringFromCText(s); }
std::string Text(RuntimeString* s) { return std::string(StringText(s), static_cast<size_t>(StringLength(s))); }

std::vector<int32_t> ColumnsInListOrder(const ListRows& rows, int32_t row) {
  std::vector<int32_t> columns;
  for (const ListCell* cell = rows.Row(row).cells; cell; cell = cell->next) columns.push_back(cell->column);
  return columns;
}

TEST(ListRows, ARowStartsWithItsColumnZeroCell) {
  ListRows rows;
  String h = Make("H");
  EXPECT_EQ(rows.Append(h.get()), 0);
  EXPECT_EQ(rows.Append(Make("He").get()), 1);
  EXPECT_EQ(rows.Count(), 2);
  EXPECT_EQ(Text(rows.CellText(0, 0)), "H");
  EXPECT_EQ(Text(rows.CellText(1, 0)), "He");
  EXPECT_EQ(ColumnsInListOrder(rows, 0), std::vector<int32_t>{0});
  EXPECT_EQ(h.get()->refCount, 2) << "the cell holds a reference";
}

TEST(ListRows, CellsKeepCreationOrderAndReplacingKeepsTheirPlace) {
  ListRows rows;
  rows.Append(Make("Fe").get());
  rows.SetCellText(0, 3, Make("55.845").get());
  rows.SetCellText(0, 1, Make("Iron").get());
  rows.SetCellText(0, 200, Make("far").get());
  EXPECT_EQ(ColumnsInListOrder(rows, 0), (std::vector<int32_t>{0, 3, 1, 200}));
  rows.SetCellText(0, 3, Make("55.85").get());
  EXPECT_EQ(ColumnsInListOrder(rows, 0), (std::vector<int32_t>{0, 3, 1, 200}));
  EXPECT_EQ(Text(rows.CellText(0, 3)), "55.85");
  EXPECT_EQ(rows.CellText(0, 2), nullptr) << "a column never set has no cell";
  rows.SetCellText(0, 1, nullptr);
  EXPECT_EQ(rows.CellText(0, 1), nullptr);
  EXPECT_EQ(ColumnsInListOrder(rows, 0).size(), 4u) << "an emptied cell stays in the list";
}

TEST(ListRows, BoundsAreTheRowsAndColumnsZeroTo255) {
  ListRows rows;
  rows.Append(nullptr);
  struct Case {
    int32_t row, column;
    bool inRange;
  } const cases[] = {
      {0, 0, true}, {0, 255, true}, {0, 256, false}, {0, -1, false},
      {1, 0, false}, {-1, 0, false}, {INT32_MIN, 0, false}, {0, INT32_MAX, false},
  };
  for (const Case& c : cases) EXPECT_EQ(rows.HasCell(c.row, c.column), c.inRange) << c.row << "," << c.column;
}

TEST(ListRows, InsertAndRemoveKeepTheOtherRowsInOrder) {
  ListRows rows;
  rows.Append(Make("a").get());
  rows.Append(Make("c").get());
  EXPECT_EQ(rows.Insert(1, Make("b").get()), 1);
  EXPECT_EQ(rows.Insert(99, Make("d").get()), 3) << "beyond the end appends";
  rows.Row(2).flags = kRowSelected;
  EXPECT_EQ(rows.Insert(0, Make("_").get()), 0);
  EXPECT_EQ(rows.Row(3).flags, kRowSelected) << "a selection moves with its row";
  rows.Remove(0);
  rows.Remove(7);  // not a row: nothing
  std::string all;
  for (int32_t i = 0; i < rows.Count(); ++i) all += Text(rows.CellText(i, 0));
  EXPECT_EQ(all, "abcd");
  rows.Clear();
  EXPECT_EQ(rows.Count(), 0);
}

TEST(ListRows, ManyRowsAndCellsAreReleasedWithTheList) {
  String text = Make("x");
  {
    ListRows rows;
    for (int i = 0; i < 300; ++i) {
      rows.Append(text.get());
      rows.SetCellText(i, 1, text.get());
    }
    EXPECT_EQ(text.get()->refCount, 601);
  }
  EXPECT_EQ(text.get()->refCount, 1);
}

}  // namespace
}  // namespace ql::ui
