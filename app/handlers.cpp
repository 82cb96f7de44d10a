#include "app/handlers.h"

#include <string_view>

#include "app/list_lock.h"
#include "lookup/normalize.h"
#include "lookup/search.h"
#include "pool/worker_pool.h"
#include "text/gbk.h"

namespace app {

using text::concat_text;

const Text& status_current_edition() {
    return GBK("现行");
}
const Text& status_newer_edition() {
    return GBK("有新标准");
}
const Text& status_unknown() {
    return GBK("未知");
}

void run_single_query(EditBox& number_box, EditBox& report_box) {
    constexpr std::string_view end = "\r\n\r\n";  // ends every labelled line
    set_control_text(report_box, "\r\n");
    Text number = get_control_text(number_box);
    const Text keyword = lookup::search_keyword(number);
    // The URL of this lookup itself: a batch running meanwhile replaces
    // last_search_url with its own rows' URLs.
    Text url;
    const lookup::LookupResult result = lookup::lookup_standard(keyword, &url);

    if (!text::text_equal(result.status, GBK("现行"))) {
        append_edit_text(report_box, GBK("状态未知\r\n\r\n"));
        append_edit_text(report_box, concat_text(GBK("请查看查询结果网页："), url, end));
        return;
    }
    const Text latest_year = text::right_text(text::remove_spaces(result.number), 4);
    const Text typed_year = text::right_text(number, 4);
    if (text::text_equal(latest_year, typed_year)) {
        append_edit_text(report_box, GBK("标准状态：现行\r\n\r\n"));
        append_edit_text(report_box, concat_text(GBK("标准编号："), result.number, end));
        append_edit_text(report_box, concat_text(GBK("标准名称："), result.title, end));
    } else {
        append_edit_text(report_box, GBK("标准状态：未知\r\n\r\n"));
        append_edit_text(report_box, concat_text(GBK("最新标准："), result.number, end));
        append_edit_text(report_box, concat_text(GBK("标准名称："), result.title, end));
        append_edit_text(report_box, concat_text(GBK("发布日期："), result.publish_date, end));
        append_edit_text(report_box, concat_text(GBK("发布部门："), result.publisher, end));
    }
    append_edit_text(report_box, concat_text(GBK("查询结果网页："), url, end));
}

void import_number_list(FileDialog& dialog, BatchList& list) {
    dialog.initial_directory = run_directory();
    if (!open_file_dialog(dialog)) return;
    list_clear(list);
    const Bytes bytes = read_file(dialog.file_name);
    const Text lines_text = text::utf8_to_gbk(text::bytes_to_text(bytes));
    const text::TextArray lines = text::split_text(lines_text, "\r\n");
    for (int i = 1; i <= text::array_count(lines); ++i) {
        const int row = list_add_row(list, text::int_to_text(i));
        list_set_cell(list, row, 1, lines.at(i));
    }
}

void start_batch_check(EditBox& speed_box, const std::shared_ptr<BatchList>& list) {
    // A speed below 1, or text that is not a number, runs at 1 (the pool's floor).
    const std::int32_t speed = text::text_to_int(get_control_text(speed_box));
    const int count = list_row_count(*list);
    pool::worker_pool->start([list](std::int32_t index) { check_row(*list, index); }, speed, count);
}

Text classify(const Text& current_number, const Text& normalized_number) {
    const Text found_tail = text::right_text(text::remove_spaces(current_number), 4);
    const Text own_tail = text::right_text(normalized_number, 4);
    if (text::text_equal(found_tail, own_tail)) return status_current_edition();
    if (text::text_to_int(found_tail) > text::text_to_int(own_tail)) return status_newer_edition();
    return status_unknown();
}

void check_row(BatchList& list, int index) {
    const int row = index - 1;
    // The row's identity comes with its number, and the result goes to that
    // row wherever it stands by then: an import or a filter meanwhile can move
    // or remove rows, and no row may show another row's result.
    auto [row_id, number] = list.read_row(row, 1);
    if (row_id != 0) {
        list_ensure_visible(list, row);
        const Text keyword = lookup::search_keyword(number);
        ListLockGuard lock;
        const lookup::LookupResult result = lookup::lookup_standard(keyword);
        const Text status = classify(result.number, number);
        list.set_cells_of(row_id, row, 2, {status, result.number, result.title});
    }
    pool::worker_pool->task_done();
}

void delete_rows_with_status(const std::shared_ptr<BatchList>& list, const Text& status) {
    while (list_find_row(*list, status, 2) != -1) {
        const int count = list_row_count(*list);
        pool::worker_pool->start(
            [list, status](std::int32_t index) { delete_row_if_status(*list, status, index); }, 10,
            count);
    }
}

void delete_row_if_status(BatchList& list, const Text& status, int index) {
    // The check and the removal are one list operation, so another task's
    // removal in between can never make this one hit a row it did not check.
    list.delete_row_if(index - 1, 2, status);
    pool::worker_pool->task_done();
}

void copy_cell_to_clipboard(BatchList& list, const SubItemHitTest& hit_test, int x, int y,
                            int /*key_state*/) {
    HitTestInfo info;
    info.x = x;
    info.y = y;
    hit_test(info);
    set_clipboard_text(list_get_cell(list, info.row, info.column));
}

}  // namespace app
