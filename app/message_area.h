// The message area: the grid of a table's rows, or the message text when it
// is no table (a received transmission, a report of its own). Rows of the
// grid are selected whole, their columns can be resized, and Ctrl+C copies
// the selected rows as tab-separated text.
#pragma once

#include <QStackedWidget>

#include "app/table_model.h"

class QPlainTextEdit;
class QTableView;

namespace tervan::gui {

class MessageArea : public QStackedWidget {
    Q_OBJECT
public:
    explicit MessageArea(QWidget* parent = nullptr);

    // The message text (bytes as the core makes them); the grid lets go of
    // its table.
    void showText(const std::string& message);
    void showTable(const desk::Table& table);

    bool showsGrid() const;
    QTableView* grid() const { return grid_; }
    QPlainTextEdit* text() const { return text_; }
    // The selected rows, in the order of the grid, as tab-separated text.
    QString selectedRows() const;

private:
    QTableView* grid_;
    QPlainTextEdit* text_;
    TableModel model_;
};

}  // namespace tervan::gui
