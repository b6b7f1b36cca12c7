#pragma once

#include <QStringList>
#include <QTreeWidget>
#include <vector>

namespace lumora {

struct ReportColumn {
    QString caption;
    int width;
};

// A report-style list view: one row per item, a caption and sub-items in columns, grid lines,
// whole-row multi-selection, no editing and no sorting. Rows can be added in a batch update that
// repaints the list once at its end.
class ReportListView : public QTreeWidget {
    Q_OBJECT

public:
    ReportListView(const std::vector<ReportColumn>& columns, QWidget* parent = nullptr);

    int RowCount() const { return topLevelItemCount(); }
    // Appends a row holding only its caption; returns its index.
    int AddRow(const QString& caption);
    void SetSubItems(int row, const QStringList& subItems);
    void RemoveRow(int row);
    QString Caption(int row) const;
    // Sub-item k is column k + 1.
    QString SubItem(int row, int k) const;
    // Selected rows in list order.
    std::vector<int> SelectedRows() const;

    // Batch updates nest; the list repaints once when the outermost one ends.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return updateDepth_ > 0; }

private:
    int updateDepth_ = 0;
};

}  // namespace lumora
