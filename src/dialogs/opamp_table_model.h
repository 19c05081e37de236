#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <string_view>
#include <vector>

namespace vx {

class COpv;

// The op-amp models that match a filter, one row each with the core's texts; the ideal op-amp
// is no part and has no row.
class COpAmpTableModel : public QAbstractTableModel {
  public:
    explicit COpAmpTableModel(QObject* parent);

    void Show(const COpv& opv, std::string_view filter);
    // The model index in the list of row `row`; -1 for none.
    int ModelIndex(int row) const;
    // The row of model `index`, -1 when the filter hides it.
    int RowOf(int index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    struct Row {
        int model;
        bool own;
        std::vector<QString> cells;
    };
    std::vector<Row> rows_;
};

}  // namespace vx
