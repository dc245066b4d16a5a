#include "sms/ui/shorttable.h"

#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <algorithm>

CShortTable::CShortTable(QAbstractItemModel* model, QWidget* parent, const char* name)
    : QTableView(parent), proxy_(new QSortFilterProxyModel(this)) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    proxy_->setSourceModel(model);
    proxy_->setSortRole(Qt::UserRole);
    proxy_->setSortCaseSensitivity(Qt::CaseInsensitive);
    proxy_->setSortLocaleAware(true);
    setModel(proxy_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(true);
    // Unsorted until the user asks: rows in the order of the list.
    proxy_->sort(-1);
    horizontalHeader()->setSortIndicatorShown(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(24);
    setShowGrid(false);
    setAlternatingRowColors(true);
    setWordWrap(false);
    connect(horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this] { horizontalHeader()->setSortIndicatorShown(true); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit rowDoubleClicked(sourceRow(index.row())); });
    connect(this, &QAbstractItemView::pressed, this,
            [this](const QModelIndex& index) { emit rowPressed(sourceRow(index.row())); });
}

int CShortTable::sourceRow(int row) const {
    const QModelIndex index = proxy_->index(row, 0);
    return index.isValid() ? proxy_->mapToSource(index).row() : -1;
}

int CShortTable::currentSourceRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? proxy_->mapToSource(current).row() : -1;
}

QList<int> CShortTable::selectedSourceRows() const {
    QList<int> viewRows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        viewRows << index.row();
    std::sort(viewRows.begin(), viewRows.end());
    QList<int> rows;
    for (int row : viewRows)
        rows << sourceRow(row);
    return rows;
}

QList<int> CShortTable::sourceRowsInViewOrder() const {
    QList<int> rows;
    for (int row = 0; row < proxy_->rowCount(); ++row)
        rows << sourceRow(row);
    return rows;
}
