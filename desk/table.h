// The message area as a grid: the rows of the observation table (or of a
// levelling line) in columns of their own, each cell formatted only when a
// front end asks for it, with the decimals of the message text. A front end
// shows what rows() and cell() give; the exact message text stays with the
// desk ("Copy as text").
#pragma once

#include <cstddef>
#include <span>
#include <string>
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
// coordinates); a Code column after N when any record has a code. The rows
// are the store's records as they are when asked for.
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

// The rows of a levelling line (levelling/level_rows.h): row number, point,
// code, line number and three tags with their values.
class LevelTable final : public Table {
public:
    explicit LevelTable(const std::vector<std::string>& rows) : rows_(rows) {}
    std::span<const Column> columns() const override;
    std::size_t rows() const override { return rows_.size(); }
    std::string cell(std::size_t row, std::size_t column) const override;

private:
    const std::vector<std::string>& rows_;
};

// The rows given (in the order given) as text to paste elsewhere: the cells
// of a row separated by tabs, each row ended by a line feed.
std::string copyRows(const Table& table, std::span<const std::size_t> rows);

}  // namespace tervan::desk
