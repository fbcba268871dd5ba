#include "app/table_model.h"

#include <limits>

#include "app/texts.h"

namespace tervan::gui {

void TableModel::setTable(const desk::Table* table) {
    beginResetModel();
    table_ = table;
    // The view counts rows in int.
    rows_ = table ? static_cast<int>(std::min<std::size_t>(table->rows(), std::numeric_limits<int>::max())) : 0;
    endResetModel();
}

int TableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !table_ ? 0 : static_cast<int>(table_->columns().size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!table_ || !index.isValid()) return {};
    const auto row = static_cast<std::size_t>(index.row()), column = static_cast<std::size_t>(index.column());
    if (role == Qt::DisplayRole) return fromMik(table_->cell(row, column));
    if (role == Qt::TextAlignmentRole) {
        const bool right = table_->columns()[column].align == desk::Align::Right;
        return QVariant::fromValue(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
    }
    return {};
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!table_ || orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(table_->columns().size()))
        return {};
    const desk::Column& column = table_->columns()[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole) return QString::fromLatin1(column.title);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (column.align == desk::Align::Right ? Qt::AlignRight : Qt::AlignLeft));
    return {};
}

}  // namespace tervan::gui
