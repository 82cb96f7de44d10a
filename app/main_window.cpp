#include "app/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTabBar>
#include <QTimer>
#include <algorithm>
#include <limits>

#include "app/qt_text.h"
#include "text/gbk.h"

namespace app {

namespace {

FileDialogSeam& file_dialog_seam() {
    static FileDialogSeam seam;
    return seam;
}

QString crlf_to_lf(QString s) {
    return s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

void set_file_dialog_seam(FileDialogSeam seam) {
    file_dialog_seam() = std::move(seam);
}

Text QtEditBox::text() const {
    if (line_ != nullptr) return from_qstring(line_->text());
    QString s = multi_->toPlainText();
    return from_qstring(s.replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

void QtEditBox::set_text(const Text& t) {
    if (line_ != nullptr) {
        line_->setText(to_qstring(t));
    } else {
        multi_->setPlainText(crlf_to_lf(to_qstring(t)));
    }
}

void QtEditBox::append(const Text& t) {
    if (line_ != nullptr) {
        line_->setText(line_->text() + to_qstring(t));
        return;
    }
    // Insert at the end through a cursor of our own: the user's caret and
    // selection stay, and the insertion is not put on the undo stack.
    const bool undo = multi_->isUndoRedoEnabled();
    multi_->setUndoRedoEnabled(false);
    QTextCursor end(multi_->document());
    end.movePosition(QTextCursor::End);
    end.insertText(crlf_to_lf(to_qstring(t)));
    multi_->setUndoRedoEnabled(undo);
    multi_->verticalScrollBar()->setValue(multi_->verticalScrollBar()->maximum());
}

bool QtFileDialog::ask() {
    const QString start = to_qstring(initial_directory);
    std::optional<QString> chosen;
    if (file_dialog_seam()) {
        chosen = file_dialog_seam()(start);
    } else {
        const QString path = QFileDialog::getOpenFileName(parent_, QString(), start);
        if (!path.isEmpty()) chosen = path;
    }
    if (!chosen) return false;
    file_name = from_qstring(*chosen);
    return true;
}

MainWindow::MainWindow()
    : 选择夹1(new QTabWidget(this)),
      标签1(new QLabel(选择夹1)),
      编辑框1(new QLineEdit(选择夹1)),
      按钮1(new QPushButton(选择夹1)),
      编辑框2(new QPlainTextEdit(选择夹1)),
      标签2(new QLabel(选择夹1)),
      标签3(new QLabel(选择夹1)),
      按钮2(new QPushButton(选择夹1)),
      按钮3(new QPushButton(选择夹1)),
      按钮4(new QPushButton(选择夹1)),
      按钮5(new QPushButton(选择夹1)),
      标签4(new QLabel(选择夹1)),
      编辑框3(new QLineEdit(选择夹1)),
      标签5(new QLabel(选择夹1)),
      超级列表框1(new QTableView(选择夹1)),
      list_model(new ListModel(this)),
      edit1(编辑框1),
      edit2(编辑框2),
      edit3(编辑框3),
      通用对话框1(this),
      list(std::make_shared<WindowList>(超级列表框1, list_model)) {
    setWindowTitle(to_qstring(GBK("岚石谱（出现大量未知结果，换网或者等一会）--松涛社 kz4821")));
    // The form's outer size is 934 x 783 with a 7-pixel frame and a 26-pixel
    // title bar; the window manager draws its own frame around this client area.
    setGeometry(50, 50, 920, 750);

    选择夹1->setObjectName(QStringLiteral("选择夹1"));
    选择夹1->setGeometry(3, 6, 917, 744);
    QFont font = this->font();
    font.setPixelSize(12);  // the dialog font the form's sizes were made for
    setFont(font);
    QWidget* pages[2] = {new QWidget, new QWidget};
    选择夹1->addTab(pages[0], to_qstring(GBK("查询")));
    选择夹1->addTab(pages[1], to_qstring(GBK("批量查询")));

    // Controls sit on their tab's page, at the place the form gives them, and
    // show only while their tab is selected.
    auto place = [pages](QWidget* w, const char* name, int tab, int x, int y, int width,
                         int height) {
        w->setParent(pages[tab]);
        w->setObjectName(QString::fromUtf8(name));
        w->setGeometry(x, y, width, height);
    };
    auto label = [&](QLabel* l, const char* name, int tab, QRect r, const char* utf8) {
        place(l, name, tab, r.x(), r.y(), r.width(), r.height());
        l->setText(crlf_to_lf(to_qstring(text::utf8_to_gbk(utf8))));
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setWordWrap(r.width() > 100);  // the hints wrap; "速度：" stays on one line
    };
    auto line_edit = [&](QLineEdit* e, const char* name, int tab, QRect r, const char* initial) {
        place(e, name, tab, r.x(), r.y(), r.width(), r.height());
        e->setText(QString::fromUtf8(initial));
        e->setMaxLength(std::numeric_limits<int>::max());
    };
    auto button = [&](QPushButton* b, const char* name, int tab, QRect r, const char* caption) {
        place(b, name, tab, r.x(), r.y(), r.width(), r.height());
        b->setText(QString::fromUtf8(caption));
    };

    label(标签1, "标签1", 0, {101, 58, 336, 40}, "例子：GB/T50001-2010   【必须按这个格式】");
    line_edit(编辑框1, "编辑框1", 0, {101, 106, 224, 32}, "GB/T50001-2010");
    button(按钮1, "按钮1", 0, {341, 106, 80, 32}, "查询");
    place(编辑框2, "编辑框2", 0, 100, 154, 328, 352);
    编辑框2->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    编辑框2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    编辑框2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    label(标签2, "标签2", 1, {5, 16, 424, 32},
          "请先将待查的标准编号导入软件，再点击查询，速度建议为2，快了会出现未知\r\n");
    label(标签3, "标签3", 1, {5, 39, 440, 24},
          "标准编号格式：GB/T50001-2010   每行一个标准，格式不标准可能导致查询错误\r\n\r\n\r\n");
    button(按钮2, "按钮2", 1, {453, 50, 80, 24}, "导入");
    button(按钮3, "按钮3", 1, {544, 50, 80, 24}, "查询");
    button(按钮4, "按钮4", 1, {635, 49, 88, 24}, "删除现行标准");
    button(按钮5, "按钮5", 1, {733, 49, 88, 24}, "删除有新标准");
    label(标签4, "标签4", 1, {831, 49, 32, 24}, "速度：");
    line_edit(编辑框3, "编辑框3", 1, {869, 48, 32, 24}, "2");
    label(标签5, "标签5", 1, {5, 58, 160, 24}, "【双击表格内容可直接复制】");
    place(超级列表框1, "超级列表框1", 1, 5, 82, 904, 656);

    for (QWidget* box : {static_cast<QWidget*>(编辑框1), static_cast<QWidget*>(编辑框2),
                         static_cast<QWidget*>(编辑框3)}) {
        QPalette p = box->palette();
        p.setColor(QPalette::Text, Qt::black);
        p.setColor(QPalette::Base, Qt::white);
        // Selection hidden while the box does not have the focus.
        p.setColor(QPalette::Inactive, QPalette::Highlight, Qt::white);
        p.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
        box->setPalette(p);
    }

    超级列表框1->setModel(list_model);
    超级列表框1->setSelectionBehavior(QAbstractItemView::SelectRows);
    超级列表框1->setSelectionMode(QAbstractItemView::SingleSelection);
    超级列表框1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    超级列表框1->setSortingEnabled(false);
    超级列表框1->setShowGrid(false);
    超级列表框1->setWordWrap(false);
    超级列表框1->setFrameShadow(QFrame::Sunken);
    超级列表框1->verticalHeader()->hide();
    超级列表框1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    超级列表框1->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    超级列表框1->horizontalHeader()->setVisible(true);
    超级列表框1->horizontalHeader()->setSectionsClickable(false);
    超级列表框1->horizontalHeader()->setHighlightSections(false);
    超级列表框1->horizontalHeader()->setStretchLastSection(false);
    for (int c = 0; c < 5; ++c)
        超级列表框1->setColumnWidth(c, column_width(c));
    {
        QPalette p = 超级列表框1->palette();
        p.setColor(QPalette::Text, Qt::black);
        p.setColor(QPalette::Base, Qt::white);
        p.setColor(QPalette::Inactive, QPalette::Highlight, Qt::white);
        p.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
        超级列表框1->setPalette(p);
    }
    超级列表框1->viewport()->installEventFilter(this);

    选择夹1->setCurrentIndex(0);
    fit_list_to_page();
}

MainWindow::~MainWindow() {
    if (!destroyed_) {
        destroyed_ = true;
        list->detach();
        if (on_will_be_destroyed) on_will_be_destroyed();
    }
}

void MainWindow::fit_list_to_page() {
    // The page is the tab control less its tab bar, which is taller under some
    // styles than the form allowed for: the list keeps its place and gives up
    // only as much height as it takes to stay whole, scroll bar included.
    选择夹1->ensurePolished();
    const int page_height = 选择夹1->height() - 选择夹1->tabBar()->sizeHint().height() - 4;
    超级列表框1->resize(超级列表框1->width(), std::min(656, page_height - 超级列表框1->y()));
}

bool MainWindow::event(QEvent* event) {
    // The pool serves events after every task launch and every list call, so
    // each row a batch or filter changes would repaint the whole window. One
    // frame per 16 ms is plenty: a sooner update request is taken up again at
    // the next frame, and input is served as it comes.
    constexpr int kFrameMs = 16;
    if (event->type() == QEvent::UpdateRequest) {
        if (since_paint_.isValid() && since_paint_.elapsed() < kFrameMs) {
            if (!paint_deferred_) {
                paint_deferred_ = true;
                QTimer::singleShot(
                    kFrameMs - static_cast<int>(since_paint_.elapsed()), this, [this] {
                        paint_deferred_ = false;
                        QCoreApplication::postEvent(this, new QEvent(QEvent::UpdateRequest));
                    });
            }
            return true;
        }
        since_paint_.start();
    }
    return QWidget::event(event);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    fit_list_to_page();
}

void list_sub_item_hit_test(QWidget* handle, HitTestInfo& info) {
    auto* view = qobject_cast<QTableView*>(handle);
    info.row = -1;
    info.column = -1;
    if (view == nullptr) return;
    const QModelIndex at = view->indexAt(QPoint(info.x, info.y));
    info.row = at.isValid() ? at.row() : -1;
    info.column = at.isValid() ? at.column() : view->columnAt(info.x);
}

std::pair<int, int> MainWindow::hit_test(int x, int y) const {
    HitTestInfo info;
    info.x = x;
    info.y = y;
    list_sub_item_hit_test(control_handle(超级列表框1), info);
    return {info.row, info.column};
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!destroyed_) {
        destroyed_ = true;
        // The list goes with the window: from now on no task reads or writes it.
        list->detach();
        if (on_will_be_destroyed) on_will_be_destroyed();
    }
    event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == 超级列表框1->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && on_list_double_click) {
            const Qt::KeyboardModifiers mods = mouse->modifiers();
            const int keys = (mods & Qt::ControlModifier ? 1 : 0) |
                             (mods & Qt::ShiftModifier ? 2 : 0) | (mods & Qt::AltModifier ? 4 : 0);
            const QPoint p = mouse->position().toPoint();
            on_list_double_click(p.x(), p.y(), keys);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace app
