#include "win/message_grid.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "desk/display.h"
#include "win/resource.h"

namespace tervan::win {

namespace {

constexpr COLORREF kShaded = RGB(0xf2, 0xf4, 0xf7);

}  // namespace

void MessageGrid::attach(HWND list) {
    list_ = list;
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_HEADERDRAGDROP);
}

void MessageGrid::show(const desk::Table& table) {
    table_ = &table;
    while (ListView_DeleteColumn(list_, 0)) {
    }
    int index = 0;
    for (const desk::Column& column : table.columns()) {
        std::wstring title = fromMik(column.title);
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        c.fmt = column.align == desk::Align::Right ? LVCFMT_RIGHT : LVCFMT_LEFT;
        c.pszText = title.data();
        c.cx = 40;
        ListView_InsertColumn(list_, index++, &c);
    }
    ListView_SetItemCountEx(list_, static_cast<int>(table.rows()), 0);
    sizeColumns();
    InvalidateRect(list_, nullptr, TRUE);
}

void MessageGrid::selectRow(std::size_t row) {
    ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row == static_cast<std::size_t>(-1) || !table_ || row >= table_->rows()) return;
    const int item = static_cast<int>(row);
    ListView_SetItemState(list_, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list_, item, FALSE);
}

bool MessageGrid::rowChosen(const NMHDR& header, std::size_t& row) const {
    if (header.hwndFrom != list_ || header.code != LVN_ITEMCHANGED) return false;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (change.iItem < 0 || !(change.uChanged & LVIF_STATE) || !(change.uNewState & LVIS_SELECTED) ||
        (change.uOldState & LVIS_SELECTED))
        return false;
    row = static_cast<std::size_t>(change.iItem);
    return true;
}

void MessageGrid::clear() {
    table_ = nullptr;
    ListView_SetItemCountEx(list_, 0, 0);
}

// Widths from the digits a column usually shows, its title and the rows
// measured.
void MessageGrid::sizeColumns() {
    HDC dc = GetDC(list_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list_, WM_GETFONT, 0, 0)));
    auto width = [dc](const std::wstring& text) { return textWidth(dc, text); };
    const int padding = width(L"00");
    const std::vector<std::size_t> rows = desk::measuredRows(table_->rows());
    for (std::size_t c = 0; c < table_->columns().size(); ++c) {
        const desk::Column& column = table_->columns()[c];
        const std::wstring digits(static_cast<std::size_t>(column.chars), L'0');
        int w = std::max(width(digits), width(fromMik(column.title)));
        for (std::size_t r : rows) w = std::max(w, width(fromMik(table_->cell(r, c))));
        ListView_SetColumnWidth(list_, static_cast<int>(c), w + padding);
    }
    SelectObject(dc, old);
    ReleaseDC(list_, dc);
}

bool MessageGrid::notify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != list_) return false;
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header)).item;
            if (!(item.mask & LVIF_TEXT) || !table_ || item.cchTextMax <= 0) return true;
            const auto row = static_cast<std::size_t>(item.iItem), column = static_cast<std::size_t>(item.iSubItem);
            cell_ = fromMik(table_->cell(row, column));
            const std::size_t n = std::min(cell_.size(), static_cast<std::size_t>(item.cchTextMax - 1));
            std::copy_n(cell_.c_str(), n, item.pszText);
            item.pszText[n] = L'\0';
            result = 0;
            return true;
        }
        case NM_CUSTOMDRAW: {
            auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(const_cast<NMHDR&>(header));
            if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
                result = CDRF_NOTIFYITEMDRAW;
            } else {
                if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && draw.nmcd.dwItemSpec % 2 == 1)
                    draw.clrTextBk = kShaded;
                result = CDRF_DODEFAULT;
            }
            return true;
        }
        case LVN_KEYDOWN: {
            const auto& key = reinterpret_cast<const NMLVKEYDOWN&>(header);
            if (key.wVKey == 'C' && GetKeyState(VK_CONTROL) < 0) copyToClipboard(list_, selectedRows());
            result = 0;
            return true;
        }
    }
    return false;
}

void MessageGrid::contextMenu(int x, int y) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, ListView_GetSelectedCount(list_) > 0 ? MF_STRING : MF_STRING | MF_GRAYED, ID_COPY_ROWS,
                L"&Copy\tCtrl+C");
    if (TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, list_, nullptr) == ID_COPY_ROWS)
        copyToClipboard(list_, selectedRows());
    DestroyMenu(menu);
}

void MessageGrid::showSortArrow(std::size_t column, bool ascending) {
    HWND titles = ListView_GetHeader(list_);
    const int count = Header_GetItemCount(titles);
    for (int i = 0; i < count; ++i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(titles, i, &item);
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (static_cast<std::size_t>(i) == column) item.fmt |= ascending ? HDF_SORTUP : HDF_SORTDOWN;
        Header_SetItem(titles, i, &item);
    }
}

std::u16string MessageGrid::selectedRows() const {
    if (!table_) return {};
    std::vector<std::size_t> rows;
    for (int i = -1; (i = ListView_GetNextItem(list_, i, LVNI_SELECTED)) >= 0;)
        rows.push_back(static_cast<std::size_t>(i));
    return desk::messageForDisplay(desk::copyRows(*table_, rows), u"\r\n");
}

}  // namespace tervan::win
