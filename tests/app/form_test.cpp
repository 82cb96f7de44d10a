#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTabBar>

#include "app/main_window.h"
#include "app/qt_text.h"

using app::MainWindow;

namespace {

struct ControlCase {
    const char* name;
    const char* kind;
    int tab;  // -1: not on a tab page
    QRect geometry;
    const char* text;  // UTF-8, as the control shows it
    friend void PrintTo(const ControlCase& c, std::ostream* os) { *os << c.name; }
};

class Form : public ::testing::TestWithParam<ControlCase> {
  protected:
    static void SetUpTestSuite() {
        window = new MainWindow;
        window->show();
    }
    static void TearDownTestSuite() { delete window; }
    static MainWindow* window;
};
MainWindow* Form::window = nullptr;

QString shown_text(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* b = qobject_cast<QPushButton*>(w)) return b->text();
    if (auto* p = qobject_cast<QPlainTextEdit*>(w)) return p->toPlainText();
    return {};
}

TEST_P(Form, ControlHasItsKindPlaceTextAndTab) {
    const ControlCase& c = GetParam();
    auto* w = window->findChild<QWidget*>(QString::fromUtf8(c.name));
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(w->metaObject()->className(), c.kind);
    EXPECT_EQ(w->parentWidget(), window->选择夹1->widget(c.tab));
    if (w == window->超级列表框1) {
        // The list gives up height only to stay whole below a taller tab bar.
        EXPECT_EQ(w->geometry().topLeft(), c.geometry.topLeft());
        EXPECT_EQ(w->width(), c.geometry.width());
        EXPECT_LE(w->height(), c.geometry.height());
        EXPECT_GE(w->height(), c.geometry.height() - 40);
        EXPECT_LE(w->geometry().bottom(),
                  window->选择夹1->height() - window->选择夹1->tabBar()->sizeHint().height());
    } else {
        EXPECT_EQ(w->geometry(), c.geometry);
    }
    EXPECT_EQ(shown_text(w), QString::fromUtf8(c.text));
    window->选择夹1->setCurrentIndex(c.tab);
    EXPECT_TRUE(w->isVisible());
    window->选择夹1->setCurrentIndex(1 - c.tab);
    EXPECT_FALSE(w->isVisible());
    window->选择夹1->setCurrentIndex(0);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, Form,
    ::testing::Values(
        ControlCase{
            "标签1", "QLabel", 0, {101, 58, 336, 40}, "例子：GB/T50001-2010   【必须按这个格式】"},
        ControlCase{"编辑框1", "QLineEdit", 0, {101, 106, 224, 32}, "GB/T50001-2010"},
        ControlCase{"按钮1", "QPushButton", 0, {341, 106, 80, 32}, "查询"},
        ControlCase{"编辑框2", "QPlainTextEdit", 0, {100, 154, 328, 352}, ""},
        ControlCase{"标签2",
                    "QLabel",
                    1,
                    {5, 16, 424, 32},
                    "请先将待查的标准编号导入软件，再点击查询，速度建议为2，快了会出现未知\n"},
        ControlCase{
            "标签3",
            "QLabel",
            1,
            {5, 39, 440, 24},
            "标准编号格式：GB/T50001-2010   每行一个标准，格式不标准可能导致查询错误\n\n\n"},
        ControlCase{"按钮2", "QPushButton", 1, {453, 50, 80, 24}, "导入"},
        ControlCase{"按钮3", "QPushButton", 1, {544, 50, 80, 24}, "查询"},
        ControlCase{"按钮4", "QPushButton", 1, {635, 49, 88, 24}, "删除现行标准"},
        ControlCase{"按钮5", "QPushButton", 1, {733, 49, 88, 24}, "删除有新标准"},
        ControlCase{"标签4", "QLabel", 1, {831, 49, 32, 24}, "速度："},
        ControlCase{"编辑框3", "QLineEdit", 1, {869, 48, 32, 24}, "2"},
        ControlCase{"标签5", "QLabel", 1, {5, 58, 160, 24}, "【双击表格内容可直接复制】"},
        ControlCase{"超级列表框1", "QTableView", 1, {5, 82, 904, 656}, ""}),
    [](const auto& info) { return "control_" + std::to_string(info.index); });

TEST(FormWindow, TitleTabsAndPlace) {
    MainWindow window;
    EXPECT_EQ(window.windowTitle(),
              QString::fromUtf8("岚石谱（出现大量未知结果，换网或者等一会）--松涛社 kz4821"));
    EXPECT_EQ(window.pos(), QPoint(50, 50));
    EXPECT_EQ(window.选择夹1->objectName(), QString::fromUtf8("选择夹1"));
    EXPECT_EQ(window.选择夹1->geometry(), QRect(3, 6, 917, 744));
    ASSERT_EQ(window.选择夹1->count(), 2);
    EXPECT_EQ(window.选择夹1->tabText(0), QString::fromUtf8("查询"));
    EXPECT_EQ(window.选择夹1->tabText(1), QString::fromUtf8("批量查询"));
    EXPECT_EQ(window.选择夹1->currentIndex(), 0);
    EXPECT_TRUE(window.rect().contains(window.选择夹1->geometry()));
}

TEST(FormWindow, ListColumnsAndSettings) {
    MainWindow window;
    QTableView* list = window.超级列表框1;
    const char* titles[] = {"序号", "待查标准编号", "是否现行", "最新标准编号", "最新标准名称"};
    const int widths[] = {40, 200, 80, 200, 400};
    ASSERT_EQ(list->model()->columnCount(), 5);
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(list->model()->headerData(c, Qt::Horizontal).toString(),
                  QString::fromUtf8(titles[c]));
        EXPECT_EQ(list->columnWidth(c), widths[c]);
        const auto align = list->model()
                               ->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole)
                               .value<Qt::Alignment>();
        EXPECT_EQ(align & Qt::AlignHorizontal_Mask, c == 0 ? Qt::AlignLeft : Qt::AlignHCenter) << c;
    }
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_FALSE(list->isSortingEnabled());
    EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(list->showGrid());
    EXPECT_FALSE(list->horizontalHeader()->isHidden());
    auto* edit2 = window.编辑框2;
    EXPECT_EQ(edit2->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(edit2->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(edit2->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

}  // namespace
