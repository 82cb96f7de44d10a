#include "app/memory_list.h"

#include "app/row_identity.h"

namespace app {

namespace {
constexpr int kColumns = 5;
bool valid_column(int column) {
    return column >= 0 && column < kColumns;
}
}  // namespace

int MemoryList::row_count() {
    std::lock_guard lock(mutex_);
    return static_cast<int>(rows_.size());
}

int MemoryList::add_row(const Text& label) {
    std::lock_guard lock(mutex_);
    rows_.push_back(Row{next_id_++, {label, {}, {}, {}, {}}});
    return static_cast<int>(rows_.size()) - 1;
}

Text MemoryList::cell(int row, int column) {
    std::lock_guard lock(mutex_);
    if (!valid(row) || !valid_column(column)) return {};
    return rows_[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)];
}

void MemoryList::set_cell(int row, int column, const Text& t) {
    std::lock_guard lock(mutex_);
    if (valid(row) && valid_column(column)) {
        rows_[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)] = t;
    }
}

int MemoryList::find_row(const Text& t, int column) {
    std::lock_guard lock(mutex_);
    if (!valid_column(column)) return -1;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].cells[static_cast<std::size_t>(column)] == t) return static_cast<int>(i);
    }
    return -1;
}

void MemoryList::delete_row(int row) {
    std::lock_guard lock(mutex_);
    if (valid(row)) rows_.erase(rows_.begin() + row);
}

void MemoryList::clear() {
    std::lock_guard lock(mutex_);
    rows_.clear();
}

std::uint64_t MemoryList::row_id(int row) {
    std::lock_guard lock(mutex_);
    return valid(row) ? rows_[static_cast<std::size_t>(row)].id : 0;
}

std::pair<std::uint64_t, Text> MemoryList::read_row(int row, int column) {
    std::lock_guard lock(mutex_);
    if (!valid(row)) return {0, {}};
    const Row& r = rows_[static_cast<std::size_t>(row)];
    return {r.id, valid_column(column) ? r.cells[static_cast<std::size_t>(column)] : Text()};
}

bool MemoryList::set_cells_of(std::uint64_t id, int hint_row, int first_column,
                              const std::vector<Text>& cells) {
    std::lock_guard lock(mutex_);
    const int at = find_id(rows_, id, hint_row);
    if (at >= 0) {
        Row& r = rows_[static_cast<std::size_t>(at)];
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const int column = first_column + static_cast<int>(i);
            if (valid_column(column)) r.cells[static_cast<std::size_t>(column)] = cells[i];
        }
        return true;
    }
    return false;
}

bool MemoryList::delete_row_if(int row, int column, const Text& t) {
    std::lock_guard lock(mutex_);
    if (!valid(row) || !valid_column(column) ||
        rows_[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)] != t) {
        return false;
    }
    rows_.erase(rows_.begin() + row);
    return true;
}

}  // namespace app
