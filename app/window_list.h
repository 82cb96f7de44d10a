// The batch list of the window: the operations run on the window thread,
// directly when called there and through a blocking queued call from a worker.
// Once the window is closing the list is detached: reads give "" and writes
// do nothing, from any thread, and nothing touches the destroyed view.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTableView>

#include "app/controls.h"
#include "app/list_model.h"

namespace app {

class WindowList final : public BatchList {
  public:
    // `view` shows `model`; both live on the window thread.
    WindowList(QTableView* view, ListModel* model);
    ~WindowList() override;

    // From here on every operation reads "" or does nothing. Window thread.
    void detach();

    int row_count() override;
    int add_row(const Text& label) override;
    Text cell(int row, int column) override;
    void set_cell(int row, int column, const Text& t) override;
    int find_row(const Text& t, int column) override;
    void delete_row(int row) override;
    void clear() override;
    void ensure_visible(int row) override;
    std::uint64_t row_id(int row) override;
    std::pair<std::uint64_t, Text> read_row(int row, int column) override;
    bool set_cells_of(std::uint64_t id, int hint_row, int first_column,
                      const std::vector<Text>& cells) override;
    bool delete_row_if(int row, int column, const Text& t) override;

  private:
    // Runs `f(model)` on the window thread and hands back its result, or
    // `fallback` once the list is detached.
    template <typename R, typename F>
    R on_window(R fallback, F f);

    QObject* context_;  // lives on the window thread for as long as the process
    QPointer<QTableView> view_;
    QPointer<ListModel> model_;
    bool attached_ = true;  // read and written on the window thread only
};

}  // namespace app
