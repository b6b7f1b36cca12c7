#include "configurator/widgets/ReportListView.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace lumora {

namespace {

// Draws the cell, then its right and bottom grid lines.
class GridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(QColor(0x40, 0x40, 0x40));
        const QRect cell = option.rect;
        painter->drawLine(cell.topRight(), cell.bottomRight());
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
        painter->restore();
    }
};

}  // namespace

ReportListView::ReportListView(const std::vector<ReportColumn>& columns, QWidget* parent)
    : QTreeWidget(parent) {
    setColumnCount(static_cast<int>(columns.size()));
    QStringList captions;
    for (const auto& column : columns) {
        captions << column.caption;
    }
    setHeaderLabels(captions);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        setColumnWidth(i, columns[static_cast<std::size_t>(i)].width);
    }
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);
    setItemDelegate(new GridDelegate(this));
}

int ReportListView::AddRow(const QString& caption) {
    auto* item = new QTreeWidgetItem(QStringList{caption});
    addTopLevelItem(item);
    return topLevelItemCount() - 1;
}

void ReportListView::SetSubItems(int row, const QStringList& subItems) {
    QTreeWidgetItem* item = topLevelItem(row);
    for (int k = 0; k < subItems.size(); ++k) {
        item->setText(k + 1, subItems[k]);
    }
}

void ReportListView::RemoveRow(int row) {
    delete takeTopLevelItem(row);
}

QString ReportListView::Caption(int row) const {
    return topLevelItem(row)->text(0);
}

QString ReportListView::SubItem(int row, int k) const {
    return topLevelItem(row)->text(k + 1);
}

std::vector<int> ReportListView::SelectedRows() const {
    std::vector<int> rows;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (topLevelItem(i)->isSelected()) {
            rows.push_back(i);
        }
    }
    return rows;
}

void ReportListView::BeginUpdate() {
    if (updateDepth_++ == 0) {
        setUpdatesEnabled(false);
    }
}

void ReportListView::EndUpdate() {
    if (updateDepth_ > 0 && --updateDepth_ == 0) {
        setUpdatesEnabled(true);
        viewport()->update();
    }
}

}  // namespace lumora
