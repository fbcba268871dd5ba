// The grid's model over a desk table: each cell is formatted by the table
// when the view draws it, so a table of a million rows costs no more than
// the rows on the screen.
#pragma once

#include <QAbstractTableModel>

#include "desk/table.h"

namespace tervan::gui {

class TableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows table (nullptr: none); the rows are asked for anew.
    void setTable(const desk::Table* table);
    const desk::Table* table() const { return table_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const desk::Table* table_ = nullptr;
    int rows_ = 0;
};

}  // namespace tervan::gui
