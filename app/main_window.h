// The main window: a tab control with the single query ("查询") and the batch
// list ("批量查询"). Every control keeps its form name as its objectName and
// as its member name.
#pragma once

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "app/controls.h"
#include "app/list_model.h"
#include "app/window_list.h"

namespace app {

// An edit box over a QLineEdit or a QPlainTextEdit; the multi-line box shows
// CR LF as line breaks and gives them back as CR LF.
class QtEditBox final : public EditBox {
  public:
    explicit QtEditBox(QLineEdit* line) : line_(line) {}
    explicit QtEditBox(QPlainTextEdit* multi) : multi_(multi) {}
    Text text() const override;
    void set_text(const Text& t) override;
    void append(const Text& t) override;

  private:
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* multi_ = nullptr;
};

// The open-file dialog; tests answer it through set_file_dialog_seam.
class QtFileDialog final : public FileDialog {
  public:
    explicit QtFileDialog(QWidget* parent) : parent_(parent) {}
    bool ask() override;

  private:
    QWidget* parent_;
};

// Answers the open-file dialog instead of the user: the chosen path, or nullopt
// for a cancel. An empty seam puts the real dialog back.
using FileDialogSeam = std::function<std::optional<QString>(const QString& initial_directory)>;
void set_file_dialog_seam(FileDialogSeam seam);

// A control's platform handle: the widget itself.
inline QWidget* control_handle(QWidget* control) {
    return control;
}
// The sub-item hit test on a list's handle (a QTableView), in viewport coordinates.
void list_sub_item_hit_test(QWidget* handle, HitTestInfo& info);

class MainWindow final : public QWidget {
    Q_OBJECT
  public:
    MainWindow();
    ~MainWindow() override;

    QTabWidget* 选择夹1;
    QLabel* 标签1;
    QLineEdit* 编辑框1;
    QPushButton* 按钮1;
    QPlainTextEdit* 编辑框2;
    QLabel* 标签2;
    QLabel* 标签3;
    QPushButton* 按钮2;
    QPushButton* 按钮3;
    QPushButton* 按钮4;
    QPushButton* 按钮5;
    QLabel* 标签4;
    QLineEdit* 编辑框3;
    QLabel* 标签5;
    QTableView* 超级列表框1;
    ListModel* list_model;

    QtEditBox edit1;
    QtEditBox edit2;
    QtEditBox edit3;
    QtFileDialog 通用对话框1;
    // Shared with the tasks, which may outlive the window; detached at the close.
    std::shared_ptr<WindowList> list;

    // The sub-item hit test: row and column under a point of the list's
    // viewport; row -1 below the last row.
    std::pair<int, int> hit_test(int x, int y) const;

    // Run once: after the window and its controls exist / as it is about to go.
    std::function<void()> on_created;
    std::function<void()> on_will_be_destroyed;
    // A left-button double-click in the list's client area: x, y, modifier keys
    // (1 Ctrl, 2 Shift, 4 Alt).
    std::function<void(int, int, int)> on_list_double_click;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fit_list_to_page();
    QElapsedTimer since_paint_;
    bool paint_deferred_ = false;
    bool destroyed_ = false;
};

}  // namespace app
