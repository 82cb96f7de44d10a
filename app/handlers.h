// The window's event handlers, written against the control interfaces so that
// the command line runs exactly the same code over an in-memory form.
#pragma once

#include <memory>

#include "app/controls.h"

namespace app {

// The statuses a batch writes into column 2 and the filters match.
const Text& status_current_edition();  // "现行"
const Text& status_newer_edition();    // "有新标准"
const Text& status_unknown();          // "未知"

// 按钮1: looks up the number in `number_box` and writes the report into `report_box`.
void run_single_query(EditBox& number_box, EditBox& report_box);

// 按钮2: replaces the list with the lines of a UTF-8 file the user picks.
void import_number_list(FileDialog& dialog, BatchList& list);

// 按钮3: checks every row, `speed` (from 编辑框3) rows in progress at once.
void start_batch_check(EditBox& speed_box, const std::shared_ptr<BatchList>& list);
// The batch's task for launch index `index` (row index - 1).
void check_row(BatchList& list, int index);
// The status a row gets: the current edition's number against the row's
// normalized number, by their last four bytes.
Text classify(const Text& current_number, const Text& normalized_number);

// 按钮4 / 按钮5: removes every row whose column 2 equals `status`.
void delete_rows_with_status(const std::shared_ptr<BatchList>& list, const Text& status);
// The filter's task: removes row index - 1 if its column 2 equals `status`.
void delete_row_if_status(BatchList& list, const Text& status, int index);

// Double-click in the list at (x, y) of its client area: the cell under the
// point goes to the clipboard; below the last row, the empty text. The key
// state (1 Ctrl, 2 Shift, 4 Alt) is not used.
void copy_cell_to_clipboard(BatchList& list, const SubItemHitTest& hit_test, int x, int y,
                            int key_state);

}  // namespace app
