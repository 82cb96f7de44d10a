// The control operations the handlers use, over small interfaces that the Qt
// window and the window-less command line both implement. Everything speaks
// GBK Text; rows and columns are 0-based.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "text/text.h"

namespace app {

using text::Bytes;
using text::Text;

// A single- or multi-line edit box. Window thread only.
class EditBox {
  public:
    virtual ~EditBox() = default;
    virtual Text text() const = 0;
    virtual void set_text(const Text& t) = 0;
    // Inserts at the very end whatever the caret or selection, keeps the end in
    // view, and leaves nothing for the user to undo.
    virtual void append(const Text& t) = 0;
};

// The five-column batch list. Any thread may call these; each call is atomic.
class BatchList {
  public:
    virtual ~BatchList() = default;
    virtual int row_count() = 0;
    virtual int add_row(const Text& label) = 0;
    virtual Text cell(int row, int column) = 0;
    virtual void set_cell(int row, int column, const Text& t) = 0;
    virtual int find_row(const Text& t, int column) = 0;
    virtual void delete_row(int row) = 0;
    virtual void clear() = 0;
    virtual void ensure_visible(int row) = 0;

    // A row's identity: fixed from its adding to its removal, never reused; 0 for no row.
    virtual std::uint64_t row_id(int row) = 0;
    // Reads a row's identity and one cell in one step.
    virtual std::pair<std::uint64_t, Text> read_row(int row, int column) = 0;
    // Writes cells of the row with that identity, wherever it now stands (looked
    // for first at `hint_row`); false when it is gone.
    virtual bool set_cells_of(std::uint64_t id, int hint_row, int first_column,
                              const std::vector<Text>& cells) = 0;
    // Removes the row when its cell in `column` equals `t`, in one step.
    virtual bool delete_row_if(int row, int column, const Text& t) = 0;
};

// The open-file dialog's two properties and its modal question.
class FileDialog {
  public:
    virtual ~FileDialog() = default;
    Text initial_directory;
    Text file_name;
    // Asks for a file starting in initial_directory; true with file_name set when confirmed.
    virtual bool ask() = 0;
};

Text get_control_text(const EditBox& box);
void set_control_text(EditBox& box, const Text& t);
void append_edit_text(EditBox& box, const Text& t);

int list_row_count(BatchList& list);
int list_add_row(BatchList& list, const Text& label);
Text list_get_cell(BatchList& list, int row, int column);
void list_set_cell(BatchList& list, int row, int column, const Text& t);
int list_find_row(BatchList& list, const Text& t, int column);
void list_delete_row(BatchList& list, int row);
void list_clear(BatchList& list);
void list_ensure_visible(BatchList& list, int row);

bool open_file_dialog(FileDialog& dialog);

// The list's sub-item hit test: the row and column under a point of the list's
// client area; row -1 where no row is.
struct HitTestInfo {
    int x = 0;
    int y = 0;
    int row = -1;
    int column = -1;
};
using SubItemHitTest = std::function<void(HitTestInfo&)>;

// Puts the text on the clipboard; false when there is no clipboard to use.
bool set_clipboard_text(const Text& t);
using ClipboardSink = std::function<bool(const Text&)>;
void set_clipboard_sink(ClipboardSink sink);

// Serves the calling thread's waiting events; leaves a quit request alone.
void process_events();
// The folder of the running program file, without a trailing separator.
Text run_directory();
// The whole file; empty for an empty path, a file that cannot be read, an empty
// file, or one above kMaxReadFile.
Bytes read_file(const Text& path);
constexpr std::int64_t kMaxReadFile = std::int64_t{256} << 20;
std::int32_t tick_count();

}  // namespace app
