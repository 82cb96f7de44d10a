#include "app/controls.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>

#include <fstream>

#include "app/qt_text.h"
#include "pool/worker_pool.h"

namespace app {

namespace {

ClipboardSink& clipboard_sink() {
    static ClipboardSink sink;
    return sink;
}

}  // namespace

Text get_control_text(const EditBox& box) {
    return box.text();
}
void set_control_text(EditBox& box, const Text& t) {
    box.set_text(t);
}
void append_edit_text(EditBox& box, const Text& t) {
    box.append(t);
}

int list_row_count(BatchList& list) {
    return list.row_count();
}
int list_add_row(BatchList& list, const Text& label) {
    return list.add_row(label);
}
Text list_get_cell(BatchList& list, int row, int column) {
    return list.cell(row, column);
}
void list_set_cell(BatchList& list, int row, int column, const Text& t) {
    list.set_cell(row, column, t);
}
int list_find_row(BatchList& list, const Text& t, int column) {
    return list.find_row(t, column);
}
void list_delete_row(BatchList& list, int row) {
    list.delete_row(row);
}
void list_clear(BatchList& list) {
    list.clear();
}
void list_ensure_visible(BatchList& list, int row) {
    list.ensure_visible(row);
}

bool open_file_dialog(FileDialog& dialog) {
    return dialog.ask();
}

void set_clipboard_sink(ClipboardSink sink) {
    clipboard_sink() = std::move(sink);
}

bool set_clipboard_text(const Text& t) {
    if (clipboard_sink()) return clipboard_sink()(t);
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return false;
    clipboard->setText(to_qstring(t));
    return true;
}

void process_events() {
    pool::event_pump().serve_pending();
}

Text run_directory() {
    if (QCoreApplication::instance() != nullptr)
        return from_qstring(QCoreApplication::applicationDirPath());
    return {};
}

Bytes read_file(const Text& path) {
    if (path.empty()) return {};
    std::ifstream in(text::gbk_to_utf8(path), std::ios::binary | std::ios::ate);
    if (!in) return {};
    const std::streamoff size = in.tellg();
    if (size <= 0 || size > kMaxReadFile) return {};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.seekg(0);
    if (!in.read(bytes.data(), size)) return {};
    return Bytes(std::move(bytes));
}

std::int32_t tick_count() {
    return pool::tick_count();
}

}  // namespace app
