// The rows and cells of a list box. Rows sit in an array in display order
// (a row is found by index in constant time); each row keeps its cells in
// a singly linked list in the order they were created, column 0's cell
// first, so a cell is found by walking as many cells as the row has.
// Columns run from 0 to 255 whatever the list shows: cells beyond the
// shown columns are kept and read back like any other.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "core/array.h"
#include "core/string.h"

namespace ql::ui {

inline constexpr int32_t kLastCellColumn = 255;

// One cell (32 bytes on i686).
struct ListCell {
  ListCell* next;        // the row's next cell, in creation order
  RuntimeString* text;   // one reference
  int32_t column;        // 0 .. 255
  uint8_t bold;          // CellBold, CellItalic, CellUnderline
  uint8_t italic;
  uint8_t underline;
  uint8_t reserved;      // zero
  int32_t check;         // CellCheck
  int32_t type;          // CellType
  int32_t alignment;     // CellAlignment
  uint8_t borders[4];    // CellBorderTop, Left, Bottom, Right
};
#if defined(__i386__)
static_assert(sizeof(ListCell) == 32);
#endif

enum ListRowFlag : uint16_t {
  kRowFolder = 1,    // added with AddFolder: may have children
  kRowExpanded = 2,  // a folder whose children are shown
  kRowSelected = 4,  // kept with the row, so insertions move a selection along
};

struct ListRow {
  ListCell* cells;         // column 0's cell first
  RuntimeObject* picture;  // RowPicture, one reference
  int16_t depth;           // hierarchy level, 0 at the top
  uint16_t flags;          // ListRowFlag
};

class ListRows {
 public:
  ListRows() = default;
  ~ListRows();
  ListRows(const ListRows&) = delete;
  ListRows& operator=(const ListRows&) = delete;

  int32_t Count() const { return static_cast<int32_t>(rows_.Count()); }
  bool HasRow(int32_t row) const { return row >= 0 && row < Count(); }
  // Row and column both in range (the column bound is 255, not the shown columns).
  bool HasCell(int32_t row, int32_t column) const {
    return HasRow(row) && column >= 0 && column <= kLastCellColumn;
  }

  // A new row whose column 0 holds `text`, at `at` (0 .. Count()); returns its index.
  int32_t Insert(int32_t at, RuntimeString* text, int16_t depth = 0, uint16_t flags = 0);
  int32_t Append(RuntimeString* text) { return Insert(Count(), text); }
  void Remove(int32_t row);
  void Clear();
  void SetPicture(int32_t row, RuntimeObject* picture);

  ListRow& Row(int32_t row) { return rows_[static_cast<size_t>(row)]; }
  const ListRow& Row(int32_t row) const { return rows_[static_cast<size_t>(row)]; }

  // The row's cell of that column, or nil; with Create::Yes a missing cell
  // is appended at the end of the row's list. The row must exist.
  enum class Create { No, Yes };
  ListCell* Cell(int32_t row, int32_t column, Create create = Create::No);
  const ListCell* Cell(int32_t row, int32_t column) const;

  // Borrowed text of a cell, nil when the row has no cell of that column.
  RuntimeString* CellText(int32_t row, int32_t column) const;
  // Replaces the text of the cell (keeping its place), or creates the cell.
  void SetCellText(int32_t row, int32_t column, RuntimeString* text);

 private:
  static ListCell* NewCell(int32_t column, RuntimeString* text);
  static void FreeCells(ListCell* cell);
  static void FreeRow(ListRow& row);

  Array<ListRow> rows_;
};

}  // namespace ql::ui
