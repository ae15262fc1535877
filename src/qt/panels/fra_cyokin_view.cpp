// The savings panel. On the left the days as a list, or the conversion
// editor in its place while it is open; on the right the chart of what has
// been saved, the running total as a filled area that grows day by day on
// the left scale and each day's amount as a bar on a scale of its own at the
// right, so that a day's few hundred yen read as well as the total's tens of
// thousands. The two picture buttons above: save the history (the piggy
// bank) and open the editor (the table).
#include <QChartView>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "qt/bindings.h"
#include "qt/layouting.h"
#include "qt/panels/panels.h"
#include "qt/panels/view_parts.h"
#include "qt/theme.h"
#include "savings/cyokin_panel.h"

namespace qtgui::panels {
namespace {

const char* const kCyokinStyle = R"css(
QLabel#kansanRules { color: #33402f; line-height: 120%; }
QLabel#toolCaption { color: #6b7a66; }
)css";

// The editor takes the place of the history list while its frame is shown.
// The list sits in a holder of its own: its binding shows the grid itself.
class EditorSwapBinding : public TypedBinding<ui::Frame, QGroupBox> {
  public:
    EditorSwapBinding(Binder& b, ui::Frame& editor, QGroupBox* group, QWidget* list)
        : TypedBinding(b, editor, group), list_(list) {}

  protected:
    void apply() override {
        view()->setTitle(qstr(model().caption()));
        view()->setVisible(model().visible());
        list_->setVisible(!model().visible());
    }

  private:
    QWidget* list_;
};

// A grid no wider than its columns and a scroll bar, with the name a screen
// reader says for it.
QTableView* fixedGrid(Binder& binder, ui::Grid& grid, const QString& name, QWidget* parent) {
    QTableView* view = fittedGrid(binder, grid, GridWidth::Exactly, parent);
    view->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    view->setAccessibleName(name);
    return view;
}

// A picture button with its tool tip written beside it.
Items captionedButton(Binder& binder, ui::Button& button, const char* icon, QWidget* parent) {
    QPushButton* widget = pictureButton(binder, button, icon, 40, parent);
    auto* caption = new QLabel(qstr(button.toolTip()), parent);
    caption->setObjectName(QStringLiteral("toolCaption"));
    return {widget, caption, space(12)};
}

// Save the history (the piggy bank), open the editor (the table).
QWidget* tools(savings::CyokinPanel& panel, Binder& binder, QWidget* parent) {
    auto* bar = new QWidget(parent);
    return setLayout(bar,
                     row({captionedButton(binder, panel.cmdCyokinHozon, "cyokin_hozon", bar),
                          captionedButton(binder, panel.cmdKansan, "kansan_edit", bar), stretch()},
                         {.spacing = 8}));
}

QLabel* instructions(QWidget* parent) {
    QStringList lines;
    for (std::string_view line : savings::kKansanInstructions) lines.append(qstr(line));
    auto* label = new QLabel(lines.join(QLatin1Char('\n')), parent);
    label->setObjectName(QStringLiteral("kansanRules"));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// A caption and its box, from `column` of the form's first line.
Cells entryBox(Binder& binder, const char* caption, ui::TextBox& box, int width, int column,
               QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    QLineEdit* edit = bindTextBox(binder, box, parent);
    edit->setFixedWidth(width);
    label->setBuddy(edit);
    return formLine(0, {aligned(label, Qt::AlignRight), edit}, column);
}

// The date and rate boxes with their captions, then the four buttons.
QWidget* entryBoxes(savings::CyokinPanel& panel, Binder& binder, QWidget* parent) {
    auto* block = new QWidget(parent);
    return setLayout(block, grid({entryBox(binder, "日付", panel.txtKanbi, 120, 0, block),
                                  entryBox(binder, "換算値", panel.txtKansan, 80, 2, block),
                                  {row({bindButton(binder, panel.cmdKanNew, block),
                                        bindButton(binder, panel.cmdKanHen, block),
                                        bindButton(binder, panel.cmdKanDel, block), stretch(),
                                        bindButton(binder, panel.cmdModori, block)},
                                       {.spacing = 6}),
                                   1, 0, Span{.columns = 5}}},
                                 {.spacing = {.horizontal = 8}, .columnStretch = {{4, 1}}}));
}

// The table of rates with its rules beside it, the boxes that edit it below.
QGroupBox* editor(savings::CyokinPanel& panel, Binder& binder, QWidget* parent) {
    auto* group = new QGroupBox(parent);
    group->setObjectName(qstr(panel.fraKansan.name()));
    return setLayout(
        group, column({{row({fixedGrid(binder, panel.msgCyokin, QStringLiteral("換算表"), group),
                             {instructions(group), 1}},
                            {.spacing = 14}),
                        1},
                       entryBoxes(panel, binder, group)},
                      {.spacing = 10, .margins = kStyleMargins}));
}

// The history list, in a holder of its own: its binding shows the grid.
QWidget* historyList(savings::CyokinPanel& panel, Binder& binder, QWidget* parent) {
    auto* holder = new QWidget(parent);
    return setLayout(holder, column({fixedGrid(binder, panel.msgCyokin2,
                                               QStringLiteral("日ごとの金額と累計"), holder)}));
}

QChartView* chart(savings::CyokinPanel& panel, Binder& binder, QWidget* parent) {
    QChartView* view = bindChart(
        binder, panel.mcrSub2, parent,
        {.seriesNames = {QStringLiteral("累計"), QStringLiteral("金額")},
         .decimals = 0,
         .fromZero = true,
         .filledSeries = 1,
         .barSeries = 2,
         .seriesColors = {theme::kDeepGreen, QColor(0xe0, 0x7b, 0x39)},
         .meaning =
             QStringLiteral("貯金推移のグラフ：累計（左の目盛り）と日ごとの金額（右の目盛り）")});
    view->setMinimumSize(320, 240);
    return view;
}

void layoutFraCyokin(savings::CyokinPanel& panel, Binder& binder, QWidget* body) {
    body->setStyleSheet(QString::fromUtf8(kCyokinStyle));
    // Made in the order of the Tab key: the list or the editor, the chart,
    // then the buttons above them.
    QWidget* list = historyList(panel, binder, body);
    QGroupBox* group = editor(panel, binder, body);
    binder.add<EditorSwapBinding>(panel.fraKansan, group, list);
    QChartView* history = chart(panel, binder, body);
    setLayout(body, column({tools(panel, binder, body),
                            {row({list, group, {history, 1}}, {.spacing = 12}), 1}},
                           {.spacing = 10}));
}

[[maybe_unused]] const bool kRegistered = registerView<savings::CyokinPanel>(layoutFraCyokin);

}  // namespace
}  // namespace qtgui::panels
