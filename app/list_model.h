// The batch list's rows behind the window's table view: five GBK cells and an
// identity per row. Window thread only.
#pragma once

#include <QAbstractTableModel>
#include <array>
#include <deque>

#include "text/text.h"

namespace app {

class ListModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    struct Row {
        std::uint64_t id;
        std::array<text::Text, 5> cells;
    };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const std::deque<Row>& rows() const { return rows_; }
    int add_row(const text::Text& label);
    void set_cell(int row, int column, const text::Text& t);
    void remove_row(int row);
    void clear();

  private:
    std::deque<Row> rows_;
    std::uint64_t next_id_ = 1;
};

// The column titles and widths of the batch list.
const text::Text& column_title(int column);
int column_width(int column);

}  // namespace app
