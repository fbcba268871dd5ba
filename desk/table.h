// The message area as a grid: the rows of the observation table (or of a
// levelling line) in columns of their own, each cell formatted only when a
// front end asks for it, with the decimals of the message text. A front end
// shows what rows() and cell() give; the exact message text stays with the
// desk ("Copy as text").
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/point_store.h"

namespace tervan::desk {

enum class Align { Left, Right };

struct Column {
    const char* title;
    Align align;
    int chars;  // a width that shows typical values whole, in characters
};

class Table {
public:
    virtual ~Table() = default;
    virtual std::span<const Column> columns() const = 0;
    virtual std::size_t rows() const = 0;
    // The text of a cell (bytes: names in MIK); "" past the last row.
    virtual std::string cell(std::size_t row, std::size_t column) const = 0;
};

// The observation table of a point store: a narrow mark column ("*" on a
// station's first record, "II" on a second-face record), then SN, IH, N, TH,
// H, V, SD, X, Y, Z, Om, and XYZ ("computed" where ComputeXYZ computed the
// coordinates), each title with its unit; a Code column after N when any
// record has a code. A record without coordinates leaves X, Y and Z empty,
// so that it does not read as a point at zero. The rows are the store's
// records as they are when asked for.
class PointTable final : public Table {
public:
    explicit PointTable(const PointStore& store) : store_(store) { refresh(); }
    // After the store was filled anew: whether the Code column shows.
    void refresh();
    std::span<const Column> columns() const override;
    std::size_t rows() const override { return store_.points.size(); }
    std::string cell(std::size_t row, std::size_t column) const override;

private:
    const PointStore& store_;
    bool codes_ = false;
};

// The rows of a levelling line (levelling/level_row.h): row number, point,
// code, line number and three tags with their values in metres (a unit that
// an instrument wrote after a value is left to the column's title).
class LevelTable final : public Table {
public:
    explicit LevelTable(const std::vector<std::string>& rows) : rows_(rows) {}
    std::span<const Column> columns() const override;
    std::size_t rows() const override { return rows_.size(); }
    std::string cell(std::size_t row, std::size_t column) const override;

private:
    const std::vector<std::string>& rows_;
};

// The rows of a table in another order: sorted by a column, or as they are.
class SortedTable final : public Table {
public:
    explicit SortedTable(const Table& table) : table_(table) {}
    std::span<const Column> columns() const override { return table_.columns(); }
    std::size_t rows() const override { return table_.rows(); }
    std::string cell(std::size_t row, std::size_t column) const override {
        return table_.cell(tableRow(row), column);
    }

    // Sorts by column, ascending or not: numbers by value (empty cells
    // last), texts with their runs of digits by value and letters of either
    // case alike ("p2" before "P10"); rows that compare alike keep their
    // order.
    void sortBy(std::size_t column, bool ascending);
    // The table's own order again.
    void unsort();
    // The column sorted by, kNone for none.
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t sortColumn() const { return column_; }
    bool ascending() const { return ascending_; }
    // The row of the table shown at row, and the row that shows a row of
    // the table.
    std::size_t tableRow(std::size_t row) const { return order_.empty() ? row : order_[row]; }
    std::size_t rowOf(std::size_t tableRow) const { return shownAt_.empty() ? tableRow : shownAt_[tableRow]; }

private:
    const Table& table_;
    std::vector<std::size_t> order_, shownAt_;  // empty: the table's order
    std::size_t column_ = kNone;
    bool ascending_ = true;
};

// The first row after row `after` (kNone: from the first), going round,
// whose cell in column is name; failing that, the first that contains it,
// letters of either case alike. kNone when no row does.
std::size_t findRow(const Table& table, std::size_t column, std::string_view name, std::size_t after);

// The rows given (in the order given) as text to paste elsewhere: a line of
// the columns' titles, then the cells of each row; cells are separated by
// tabs, each line ended by a line feed.
std::string copyRows(const Table& table, std::span<const std::size_t> rows);

// The rows whose cells size the grid's columns (with each column's title
// and its usual digits): those at either end of a long table, not every
// row of a million.
std::vector<std::size_t> measuredRows(std::size_t rows);

}  // namespace tervan::desk
