#include "app/window_list.h"

#include <QCoreApplication>
#include <QThread>

#include "app/row_identity.h"

namespace app {

WindowList::WindowList(QTableView* view, ListModel* model)
    // Never deleted: a worker may still be queuing a call to it after the window is gone.
    : context_(new QObject), view_(view), model_(model) {
    context_->moveToThread(QCoreApplication::instance()->thread());
}

WindowList::~WindowList() {
    detach();
}

void WindowList::detach() {
    attached_ = false;
    view_.clear();
    model_.clear();
}

template <typename R, typename F>
R WindowList::on_window(R fallback, F f) {
    auto run = [this, &fallback, &f]() -> R {
        if (!attached_ || model_.isNull()) return fallback;
        return f(*model_);
    };
    if (QThread::currentThread() == context_->thread()) return run();
    R result = fallback;
    QMetaObject::invokeMethod(
        context_, [&] { result = run(); }, Qt::BlockingQueuedConnection);
    return result;
}

int WindowList::row_count() {
    return on_window(0, [](ListModel& m) { return m.rowCount(); });
}

int WindowList::add_row(const Text& label) {
    return on_window(-1, [&](ListModel& m) { return m.add_row(label); });
}

Text WindowList::cell(int row, int column) {
    return on_window(Text(), [&](ListModel& m) -> Text {
        if (row < 0 || row >= m.rowCount() || column < 0 || column > 4) return {};
        return m.rows()[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)];
    });
}

void WindowList::set_cell(int row, int column, const Text& t) {
    on_window(0, [&](ListModel& m) {
        m.set_cell(row, column, t);
        return 0;
    });
}

int WindowList::find_row(const Text& t, int column) {
    return on_window(-1, [&](ListModel& m) {
        if (column < 0 || column > 4) return -1;
        const auto& rows = m.rows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].cells[static_cast<std::size_t>(column)] == t) return static_cast<int>(i);
        }
        return -1;
    });
}

void WindowList::delete_row(int row) {
    on_window(0, [&](ListModel& m) {
        m.remove_row(row);
        return 0;
    });
}

void WindowList::clear() {
    on_window(0, [](ListModel& m) {
        m.clear();
        return 0;
    });
}

void WindowList::ensure_visible(int row) {
    on_window(0, [&](ListModel& m) {
        if (row >= 0 && row < m.rowCount() && !view_.isNull()) {
            view_->scrollTo(m.index(row, 0), QAbstractItemView::EnsureVisible);
        }
        return 0;
    });
}

std::uint64_t WindowList::row_id(int row) {
    return on_window(std::uint64_t{0}, [&](ListModel& m) -> std::uint64_t {
        return row >= 0 && row < m.rowCount() ? m.rows()[static_cast<std::size_t>(row)].id : 0;
    });
}

std::pair<std::uint64_t, Text> WindowList::read_row(int row, int column) {
    return on_window(
        std::pair<std::uint64_t, Text>{0, {}}, [&](ListModel& m) -> std::pair<std::uint64_t, Text> {
            if (row < 0 || row >= m.rowCount()) return {0, {}};
            const auto& r = m.rows()[static_cast<std::size_t>(row)];
            return {r.id, column >= 0 && column <= 4 ? r.cells[static_cast<std::size_t>(column)]
                                                     : Text()};
        });
}

bool WindowList::set_cells_of(std::uint64_t id, int hint_row, int first_column,
                              const std::vector<Text>& cells) {
    return on_window(false, [&](ListModel& m) {
        const int at = find_id(m.rows(), id, hint_row);
        if (at < 0) return false;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            m.set_cell(at, first_column + static_cast<int>(i), cells[i]);
        }
        return true;
    });
}

bool WindowList::delete_row_if(int row, int column, const Text& t) {
    return on_window(false, [&](ListModel& m) {
        if (row < 0 || row >= m.rowCount() || column < 0 || column > 4) return false;
        if (m.rows()[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)] != t)
            return false;
        m.remove_row(row);
        return true;
    });
}

}  // namespace app
