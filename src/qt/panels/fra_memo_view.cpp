// The notes panel. On top the diary list, with the line that edits the chosen
// row's diary right below it; at the bottom, apart from the diary's save, the
// correction of a mistaken weighing on the left and the notice memo on the
// right.
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include "notes/memo_panel.h"
#include "qt/bindings.h"
#include "qt/layouting.h"
#include "qt/panels/panels.h"
#include "qt/panels/view_parts.h"

namespace qtgui::panels {
namespace {

const char* const kMemoStyle = R"css(
QFrame#correctionCard, QFrame#kizukiCard {
  background: #ffffff; border: 2px solid #b5e3b0; border-radius: 10px;
}
QFrame#correctionCard { border-color: #e8c4a0; }
QLabel#lblSyusei { color: #6b5a4a; }
QLabel#lblKizuki, QLabel#lblMemo { color: #3f8f47; font-weight: bold; }
QPushButton#cmdKirokuDel:enabled { color: #b0352b; }
)css";

QPushButton* saveButton(Binder& binder, ui::Button& button, QWidget* parent) {
    QPushButton* widget = bindButton(binder, button, parent);
    widget->setIcon(svgIcon(QStringLiteral(":/icons/save.svg")));
    widget->setIconSize(QSize(18, 18));
    return widget;
}

// The chosen row's diary: its caption, the box and the save button.
QLayout* diaryLine(notes::MemoPanel& panel, Binder& binder, QWidget* parent) {
    QLabel* caption = bindLabel(binder, panel.lblMemo, parent);
    QLineEdit* box = bindTextBox(binder, panel.txtMemo, parent);
    caption->setBuddy(box);
    return row({caption, {box, 1}, saveButton(binder, panel.cmdMemoHozon, parent)}, {.spacing = 8});
}

// The two buttons that correct the chosen weighing, under their explanation.
QFrame* correctionCard(notes::MemoPanel& panel, Binder& binder, QWidget* parent) {
    QFrame* frame = card("correctionCard", parent);
    frame->setFixedWidth(250);
    auto* title = new QLabel(QStringLiteral("測定の訂正"), frame);
    title->setStyleSheet(QStringLiteral("font-weight: bold; color: #a0602b;"));
    QLabel* help = bindLabel(binder, panel.lblSyusei, frame);
    help->setWordWrap(true);
    return setLayout(frame,
                     column({title, help, stretch(),
                             row({bindButton(binder, panel.cmdTaiSyusei, frame),
                                  bindButton(binder, panel.cmdKirokuDel, frame), stretch()})},
                            {.margins = {12, 8, 12, 10}}));
}

// The notice memo: its caption and its save button above the editor. The
// editor is made first: the Tab key reaches it before the button.
QFrame* kizukiCard(notes::MemoPanel& panel, Binder& binder, QWidget* parent) {
    QFrame* frame = card("kizukiCard", parent);
    QLabel* caption = bindLabel(binder, panel.lblKizuki, frame);
    QPlainTextEdit* editor = bindMultiLineTextBox(binder, panel.txtKizuki, frame);
    caption->setBuddy(editor);
    editor->setFixedHeight(132);
    return setLayout(
        frame, column({row({caption, stretch(), saveButton(binder, panel.cmdKizukiHozon, frame)}),
                       {editor, 1}},
                      {.margins = {12, 8, 12, 10}}));
}

void layoutFraMemo(notes::MemoPanel& panel, Binder& binder, QWidget* body) {
    body->setStyleSheet(QLatin1String(kMemoStyle));
    // Built in reading order, which is the order of the Tab key.
    setLayout(
        body,
        column({{named(bindGrid(binder, panel.msgMemoList, body), "一言日記の一覧"), 1},
                diaryLine(panel, binder, body),
                space(6),
                row({correctionCard(panel, binder, body), {kizukiCard(panel, binder, body), 1}},
                    {.spacing = 12})},
               {.spacing = 8, .margins = {4, 0, 4, 4}}));
}

[[maybe_unused]] const bool kRegistered = registerView<notes::MemoPanel>(layoutFraMemo);

}  // namespace
}  // namespace qtgui::panels
