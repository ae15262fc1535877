// The savings panel. On the left the days as a list, or the conversion
// editor in its place while it is open; on the right the chart of what has
// been saved, the running total as a filled area that grows day by day and
// the day amounts as a line over it. The two picture buttons above: save the
// history (the piggy bank) and open the editor (the table).
#include <QChartView>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include "qt/bindings.h"
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
class EditorSwapBinding : public Binding {
  public:
    EditorSwapBinding(Binder& b, ui::Frame& editor, QGroupBox* group, QWidget* list)
        : Binding(b, editor, group), editor_(editor), group_(group), list_(list) {}

  protected:
    void apply() override {
        group_->setTitle(qstr(editor_.caption()));
        group_->setVisible(editor_.visible());
        list_->setVisible(!editor_.visible());
    }

  private:
    ui::Frame& editor_;
    QGroupBox* group_;
    QWidget* list_;
};

// A grid no wider than its columns and a scroll bar.
QTableView* fixedGrid(Binder& binder, ui::Grid& grid, QWidget* parent) {
    QTableView* view = fittedGrid(binder, grid, GridWidth::Exactly, parent);
    view->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    return view;
}

QWidget* tools(savings::CyokinPanel& panel, Binder& binder, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    const std::pair<ui::Button*, const char*> buttons[] = {
        {&panel.cmdCyokinHozon, "cyokin_hozon"},
        {&panel.cmdKansan, "kansan_edit"},
    };
    for (const auto& [button, icon] : buttons) {
        layout->addWidget(pictureButton(binder, *button, icon, 40, row));
        auto* caption = new QLabel(qstr(button->toolTip()), row);
        caption->setObjectName(QStringLiteral("toolCaption"));
        layout->addWidget(caption);
        layout->addSpacing(12);
    }
    layout->addStretch(1);
    return row;
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

// The date and rate boxes with their captions, then the four buttons.
QWidget* entryBoxes(savings::CyokinPanel& panel, Binder& binder, QWidget* parent) {
    auto* block = new QWidget(parent);
    auto* grid = new QGridLayout(block);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    const std::pair<const char*, ui::TextBox*> boxes[] = {
        {"日付", &panel.txtKanbi},
        {"換算値", &panel.txtKansan},
    };
    int col = 0;
    for (const auto& [caption, box] : boxes) {
        auto* label = new QLabel(QString::fromUtf8(caption), block);
        QLineEdit* edit = bindTextBox(binder, *box, block);
        edit->setFixedWidth(caption == boxes[0].first ? 120 : 80);
        label->setBuddy(edit);
        grid->addWidget(label, 0, col++, Qt::AlignRight);
        grid->addWidget(edit, 0, col++);
    }
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    for (ui::Button* button :
         {&panel.cmdKanNew, &panel.cmdKanHen, &panel.cmdKanDel, &panel.cmdModori}) {
        if (button == &panel.cmdModori) buttons->addStretch(1);
        buttons->addWidget(bindButton(binder, *button, block));
    }
    grid->addLayout(buttons, 1, 0, 1, col + 1);
    grid->setColumnStretch(col, 1);
    return block;
}

QGroupBox* editor(savings::CyokinPanel& panel, Binder& binder, QWidget* parent) {
    auto* group = new QGroupBox(parent);
    group->setObjectName(qstr(panel.fraKansan.name()));
    auto* top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(fixedGrid(binder, panel.msgCyokin, group));
    top->addWidget(instructions(group), 1);
    auto* layout = new QVBoxLayout(group);
    layout->setSpacing(10);
    layout->addLayout(top, 1);
    layout->addWidget(entryBoxes(panel, binder, group));
    return group;
}

QChartView* chart(savings::CyokinPanel& panel, Binder& binder, QWidget* parent) {
    QChartView* view = bindChart(binder, panel.mcrSub2, parent,
                                 {.seriesNames = {QStringLiteral("累計"), QStringLiteral("金額")},
                                  .decimals = 0,
                                  .fromZero = true,
                                  .filledSeries = 1,
                                  .seriesColors = {theme::kDeepGreen, QColor(0xe0, 0x7b, 0x39)}});
    view->setMinimumSize(320, 240);
    return view;
}

void layoutFraCyokin(savings::CyokinPanel& panel, Binder& binder, QWidget* body) {
    body->setStyleSheet(QString::fromUtf8(kCyokinStyle));
    auto* list = new QWidget(body);
    auto* holder = new QVBoxLayout(list);
    holder->setContentsMargins(0, 0, 0, 0);
    holder->addWidget(fixedGrid(binder, panel.msgCyokin2, list));
    QGroupBox* group = editor(panel, binder, body);
    binder.add<EditorSwapBinding>(panel.fraKansan, group, list);

    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    row->addWidget(list);
    row->addWidget(group);
    row->addWidget(chart(panel, binder, body), 1);

    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(tools(panel, binder, body));
    layout->addLayout(row, 1);
}

[[maybe_unused]] const bool registered = registerView<savings::CyokinPanel>(layoutFraCyokin);

}  // namespace
}  // namespace qtgui::panels
