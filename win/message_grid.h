// The message area as a grid: a virtual list view over a desk::Table, each
// cell asked for only when it is drawn or copied, every other row shaded.
// Rows are selected whole; Ctrl+C and the context menu's "&Copy" copy the
// selected rows as tab-separated text.
#pragma once

#include <string>

#include "desk/table.h"
#include "win/dialog.h"

namespace tervan::win {

class MessageGrid {
public:
    void attach(HWND list);
    HWND handle() const { return list_; }
    // Shows the table's rows, columns as wide as their values need; table
    // must stay valid until the next show or clear.
    void show(const desk::Table& table);
    void clear();
    // WM_NOTIFY from the list: true when handled, with its result.
    bool notify(const NMHDR& header, LRESULT& result);
    // WM_CONTEXTMENU on the list, at a point of the screen.
    void contextMenu(int x, int y);
    // The arrow in the title of the column sorted by (kNone: none).
    void showSortArrow(std::size_t column, bool ascending);
    // The selected rows, in the grid's order, as text to paste.
    std::u16string selectedRows() const;
    // Selects row alone and scrolls to it; none for kNoPoint.
    void selectRow(std::size_t row);
    // The row of an LVN_ITEMCHANGED that made a row the selected one;
    // false for any other notification.
    bool rowChosen(const NMHDR& header, std::size_t& row) const;

private:
    void sizeColumns();

    HWND list_ = nullptr;
    const desk::Table* table_ = nullptr;
    std::wstring cell_;  // the text handed to the list last
};

}  // namespace tervan::win
