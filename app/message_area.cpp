#include "app/message_area.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTableView>
#include <algorithm>

#include "app/fonts.h"
#include "app/texts.h"

namespace tervan::gui {

MessageArea::MessageArea(QWidget* parent) : QStackedWidget(parent) {
    setObjectName("messageArea");
    const QFont font = fixedPitchFont();

    text_ = new QPlainTextEdit;
    text_->setObjectName("message");
    text_->setReadOnly(true);
    text_->setAcceptDrops(false);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setFont(font);
    text_->setTabStopDistance(8 * text_->fontMetrics().horizontalAdvance(' '));

    grid_ = new QTableView;
    grid_->setObjectName("grid");
    grid_->setModel(&model_);
    grid_->setFont(font);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_->setAlternatingRowColors(true);
    grid_->setWordWrap(false);
    grid_->setCornerButtonEnabled(false);
    grid_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Every row is one line of the same height, so a million rows are laid
    // out without measuring any of them.
    QHeaderView* rows = grid_->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid_->horizontalHeader()->setHighlightSections(false);

    auto* copy = new QAction("&Copy", grid_);
    copy->setObjectName("copyRows");
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, [this] { QApplication::clipboard()->setText(selectedRows()); });
    grid_->addAction(copy);
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);

    addWidget(grid_);
    addWidget(text_);
    setCurrentWidget(text_);
}

void MessageArea::showText(const std::string& message) {
    // The table shown before need not outlive this call.
    model_.setTable(nullptr);
    text_->setPlainText(messageForDisplay(message));
    setCurrentWidget(text_);
}

void MessageArea::showTable(const desk::Table& table) {
    model_.setTable(&table);
    // Widths from the digits a column usually shows, its title and the rows
    // measured.
    const QFontMetrics metrics = grid_->fontMetrics();
    const int padding = metrics.horizontalAdvance("00");
    const QFontMetrics headerMetrics = grid_->horizontalHeader()->fontMetrics();
    const std::vector<std::size_t> rows = desk::measuredRows(table.rows());
    for (std::size_t c = 0; c < table.columns().size(); ++c) {
        const desk::Column& column = table.columns()[c];
        int width = std::max(metrics.horizontalAdvance(QString(column.chars, '0')),
                             headerMetrics.horizontalAdvance(QString::fromLatin1(column.title)));
        for (std::size_t r : rows) width = std::max(width, metrics.horizontalAdvance(fromMik(table.cell(r, c))));
        grid_->setColumnWidth(static_cast<int>(c), width + padding);
    }
    setCurrentWidget(grid_);
}

bool MessageArea::showsGrid() const { return currentWidget() == grid_; }

QString MessageArea::selectedRows() const {
    const desk::Table* table = model_.table();
    if (!table) return {};
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : grid_->selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    std::sort(rows.begin(), rows.end());
    return fromMik(desk::copyRows(*table, rows));
}

}  // namespace tervan::gui
