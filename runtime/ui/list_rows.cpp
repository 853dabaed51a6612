#include "ui/list_rows.h"

#include <string.h>

#include "core/allocator.h"
#include "quillon/entrypoints/objects.h"

namespace ql::ui {

ListRows::~ListRows() { Clear(); }

ListCell* ListRows::NewCell(int32_t column, RuntimeString* text) {
  ListCell* cell = static_cast<ListCell*>(AllocateOrDie(sizeof(ListCell)));
  memset(cell, 0, sizeof *cell);
  cell->column = column;
  cell->text = RetainString(text);
  return cell;
}

void ListRows::FreeCells(ListCell* cell) {
  while (cell) {
    ListCell* next = cell->next;
    ReleaseString(cell->text);
    Release(cell, sizeof *cell);
    cell = next;
  }
}

void ListRows::FreeRow(ListRow& row) {
  FreeCells(row.cells);
  RuntimeUnlockObject(row.picture);
  row = ListRow{};
}

int32_t ListRows::Insert(int32_t at, RuntimeString* text, int16_t depth, uint16_t flags) {
  if (at < 0 || at > Count()) at = Count();
  rows_.Append(ListRow{});
  ListRow* rows = rows_.begin();
  memmove(static_cast<void*>(rows + at + 1), rows + at, static_cast<size_t>(Count() - 1 - at) * sizeof(ListRow));
  rows[at] = ListRow{NewCell(0, text), nullptr, depth, flags};
  return at;
}

void ListRows::Remove(int32_t row) {
  if (!HasRow(row)) return;
  FreeRow(Row(row));
  rows_.RemoveAt(static_cast<size_t>(row));
}

void ListRows::Clear() {
  for (ListRow& row : rows_) FreeRow(row);
  rows_.Clear();
}

void ListRows::SetPicture(int32_t row, RuntimeObject* picture) {
  ListRow& r = Row(row);
  RuntimeLockUnlockObjects(picture, r.picture);
  r.picture = picture;
}

ListCell* ListRows::Cell(int32_t row, int32_t column, Create create) {
  ListCell** link = &Row(row).cells;
  for (; *link; link = &(*link)->next)
    if ((*link)->column == column) return *link;
  if (create == Create::No) return nullptr;
  *link = NewCell(column, nullptr);
  return *link;
}

const ListCell* ListRows::Cell(int32_t row, int32_t column) const {
  for (const ListCell* cell = Row(row).cells; cell; cell = cell->next)
    if (cell->column == column) return cell;
  return nullptr;
}

RuntimeString* ListRows::CellText(int32_t row, int32_t column) const {
  const ListCell* cell = Cell(row, column);
  return cell ? cell->text : nullptr;
}

void ListRows::SetCellText(int32_t row, int32_t column, RuntimeString* text) {
  AssignString(&Cell(row, column, Create::Yes)->text, text);
}

}  // namespace ql::ui
