#include "app/list_model.h"

#include "app/qt_text.h"
#include "text/gbk.h"

namespace app {

namespace {
constexpr int kColumns = 5;
constexpr int kWidths[kColumns] = {40, 200, 80, 200, 400};
}  // namespace

const text::Text& column_title(int column) {
    switch (column) {
        case 0:
            return GBK("序号");
        case 1:
            return GBK("待查标准编号");
        case 2:
            return GBK("是否现行");
        case 3:
            return GBK("最新标准编号");
        default:
            return GBK("最新标准名称");
    }
}

int column_width(int column) {
    return kWidths[column];
}

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        const text::Text& t = rows_[static_cast<std::size_t>(index.row())]
                                  .cells[static_cast<std::size_t>(index.column())];
        return to_qstring(t);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue((index.column() == 0 ? Qt::AlignLeft : Qt::AlignHCenter) |
                                   Qt::AlignVCenter);
    }
    return {};
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns) return {};
    if (role == Qt::DisplayRole) return to_qstring(column_title(section));
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue((section == 0 ? Qt::AlignLeft : Qt::AlignHCenter) |
                                   Qt::AlignVCenter);
    }
    return {};
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

int ListModel::add_row(const text::Text& label) {
    const int row = static_cast<int>(rows_.size());
    beginInsertRows({}, row, row);
    rows_.push_back(Row{next_id_++, {label, {}, {}, {}, {}}});
    endInsertRows();
    return row;
}

void ListModel::set_cell(int row, int column, const text::Text& t) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumns) return;
    rows_[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)] = t;
    const QModelIndex at = index(row, column);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

void ListModel::remove_row(int row) {
    if (row < 0 || row >= rowCount()) return;
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

void ListModel::clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

}  // namespace app
