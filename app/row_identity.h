// Finding a row by its identity: first where it was, then where it may have
// moved. Rows only move up (deletions above) or vanish (deletions, clearing).
#pragma once

#include <cstdint>

namespace app {

template <typename Rows>
int find_id(const Rows& rows, std::uint64_t id, int hint_row) {
    if (id == 0) return -1;
    const int n = static_cast<int>(rows.size());
    const int start = hint_row < 0 ? 0 : (hint_row >= n ? n - 1 : hint_row);
    for (int i = start; i >= 0; --i) {
        if (rows[static_cast<std::size_t>(i)].id == id) return i;
    }
    for (int i = start + 1; i < n; ++i) {
        if (rows[static_cast<std::size_t>(i)].id == id) return i;
    }
    return -1;
}

}  // namespace app
