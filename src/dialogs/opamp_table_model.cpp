#include "dialogs/opamp_table_model.h"

#include <QFont>

#include "model/opamp_texts.h"
#include "model/opv.h"
#include "qt/qt_text.h"

namespace vx {

namespace {

// GBW to noise are figures, read best aligned on their right.
bool FigureColumn(int column) {
    return column >= 3 && column <= 6;
}

}  // namespace

COpAmpTableModel::COpAmpTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void COpAmpTableModel::Show(const COpv& opv, std::string_view filter) {
    beginResetModel();
    rows_.clear();
    for (int i = 1; i < opv.Count(); ++i) {
        if (!OpAmpMatches(opv, i, filter)) {
            continue;
        }
        Row& row = rows_.emplace_back(Row{i, opv.IsOwn(i), {}});
        for (const std::string& text : OpAmpRow(opv, i)) {
            row.cells.push_back(Qs(text));
        }
    }
    endResetModel();
}

int COpAmpTableModel::ModelIndex(int row) const {
    return row >= 0 && row < rowCount() ? rows_[static_cast<size_t>(row)].model : -1;
}

int COpAmpTableModel::RowOf(int index) const {
    for (size_t r = 0; r < rows_.size(); ++r) {
        if (rows_[r].model == index) {
            return static_cast<int>(r);
        }
    }
    return -1;
}

int COpAmpTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int COpAmpTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(opamp_text::kColumns.size());
}

QVariant COpAmpTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const Row& row = rows_[static_cast<size_t>(index.row())];
    const QString& text = row.cells[static_cast<size_t>(index.column())];
    switch (role) {
        case Qt::DisplayRole:
            return text;
        case Qt::ToolTipRole:
            // The source is often longer than its column.
            return text.isEmpty() ? QVariant() : QVariant(text);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(
                Qt::AlignVCenter | (FigureColumn(index.column()) ? Qt::AlignRight : Qt::AlignLeft));
        case Qt::FontRole:
            // The user's own models stand out from the catalogue.
            if (row.own) {
                QFont font;
                font.setBold(true);
                return font;
            }
            return {};
        default:
            return {};
    }
}

QVariant COpAmpTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount()) {
        return {};
    }
    return Qs(opamp_text::kColumns[static_cast<size_t>(section)]);
}

}  // namespace vx
