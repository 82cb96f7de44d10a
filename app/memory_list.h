// The batch list held in memory, for the command line and for tests: the same
// operations as the window's list, guarded by a mutex.
#pragma once

#include <array>
#include <deque>
#include <mutex>

#include "app/controls.h"

namespace app {

class MemoryList final : public BatchList {
  public:
    int row_count() override;
    int add_row(const Text& label) override;
    Text cell(int row, int column) override;
    void set_cell(int row, int column, const Text& t) override;
    int find_row(const Text& t, int column) override;
    void delete_row(int row) override;
    void clear() override;
    void ensure_visible(int) override {}
    std::uint64_t row_id(int row) override;
    std::pair<std::uint64_t, Text> read_row(int row, int column) override;
    bool set_cells_of(std::uint64_t id, int hint_row, int first_column,
                      const std::vector<Text>& cells) override;
    bool delete_row_if(int row, int column, const Text& t) override;

  private:
    struct Row {
        std::uint64_t id;
        std::array<Text, 5> cells;
    };
    bool valid(int row) const { return row >= 0 && static_cast<std::size_t>(row) < rows_.size(); }

    std::mutex mutex_;
    std::deque<Row> rows_;
    std::uint64_t next_id_ = 1;
};

// Memory edit box for the command line.
class MemoryEditBox final : public EditBox {
  public:
    explicit MemoryEditBox(Text initial = {}) : text_(std::move(initial)) {}
    Text text() const override { return text_; }
    void set_text(const Text& t) override { text_ = t; }
    void append(const Text& t) override { text_ += t; }

  private:
    Text text_;
};

}  // namespace app
