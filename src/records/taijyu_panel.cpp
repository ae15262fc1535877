#include "records/taijyu_panel.h"

#include <algorithm>
#include <memory>

#include "records/list_print.h"

namespace records {
namespace {

constexpr ui::Color kChosen = ui::kLightYellow;
constexpr const char* kWeekdayCaptions[] = {"日", "月", "火", "水", "木", "金", "土"};

// What the help tour says as the panel opens.
constexpr std::string_view kHelpText =
    "これまで入力してきたデータを「状況」「曜日」「期間」指定で表示できます。\r\n"
    "\r\n"
    "「状況」をリストから選択すると、その「状況」のみのデータになります。\r\n"
    "　※状況欄に直接任意の語句を入力することができます。（入力後Enter）\r\n"
    "\r\n"
    "各種曜日ボタンで選択すると指定した曜日でのデータになります。\r\n"
    "\r\n"
    "「期間」をボタンで選択すると指定した期間でのデータになります。\r\n"
    "　※期間のコンボリストで任意に指定することも可能です。\r\n";
}  // namespace

const host::PanelInfo TaijyuPanel::kInfo{
    .frame = "fraTaijyu",
    .caption = "範囲指定",
    .button = {"cmdTaijyu", "範囲指定", "表示条件を指定できます", "taijyu", '2'},
    .helpPage = "taijyu",
    .helpText = kHelpText};

TaijyuPanel::TaijyuPanel(host::PanelHost& host) : Panel(host, kInfo) {
    // Alt and these letters press the buttons.
    ui::setAccessKeys({{&cmdPriData, 'P'}, {&cmdKensaku, 'K'}});
    for (int i = 0; i < 7; ++i) cmdWeek.add(i, form(), "cmdWeek", &fraTaijyu, kWeekdayCaptions[i]);
    cmdPriData.setToolTip("表示中のデータを印刷します");
    lstAct2.setToolTip("選んだ状況を含む記録だけを表示します");
    wireEvents();
}

void TaijyuPanel::wireEvents() {
    for (const auto& info : kPeriodButtons)
        periodButton(info.button).Click = [this, b = info.button] { cmdKikan_Click(b); };
    for (int i = 0; i < 7; ++i) cmdWeek(i).Click = [this, i] { cmdWeek_Click(i); };
    cmdAllWeek.Click = [this] { cmdAllWeek_Click(); };
    cmdAllact.Click = [this] { cmdAllact_Click(); };
    lstAct2.Click = [this] { lstAct2_Click(); };
    txtKey.GotFocus = [this] { txtKey_GotFocus(); };
    txtKey.KeyPressed = [this](ui::KeyPress& k) { txtKey_KeyPress(k); };
    cmdKensaku.Click = [this] { cmdKensaku_Click(); };
    cmdPriData.Click = [this] { cmdPriData_Click(); };
}

ui::Button& TaijyuPanel::periodButton(PeriodButton which) {
    switch (which) {
        case PeriodButton::cmdKikan1:
            return cmdKikan1;
        case PeriodButton::cmdKikan2:
            return cmdKikan2;
        case PeriodButton::cmdKikan3:
            return cmdKikan3;
        case PeriodButton::cmdKikan4:
            return cmdKikan4;
        case PeriodButton::cmdKikan5:
            return cmdKikan5;
        case PeriodButton::cmdKikan6:
            return cmdKikan6;
        case PeriodButton::cmdKikan7:
            return cmdKikan7;
        case PeriodButton::cmdKikan8:
            return cmdKikan8;
        case PeriodButton::cmdAllDay:
            return cmdAllDay;
        case PeriodButton::cmdKikanF:
            break;
    }
    return cmdKikanF;
}

void TaijyuPanel::situationsChanged(const std::vector<std::string>& labels) {
    lstAct2.setItems(labels);
}

// ---- opening

// Only the three "全部" stay lit: a period or weekday chosen before the panel
// was left no longer filters the list.
void TaijyuPanel::fill() {
    DSP_LIST_ALL();
    RESET_KIKAN_BUTTONS();
    plainWeekButtons();
    highlight(cmdAllDay);
    highlight(cmdAllact);
    highlight(cmdAllWeek);
    SelectedWeekday = kNoWeekday;
}

// ---- the list

void TaijyuPanel::INIT_LIST_GRID() {
    msgBunseki.layOut(10, kListGridColumns);
}

bool TaijyuPanel::build(ListBuilder builder) {
    auto records = readRecords();
    if (!records) return false;
    ListFilter filter =
        filterFor(builder, cboStdate.text(), cboEddate.text(), txtKey.text(), SelectedWeekday);
    auto list = std::make_shared<const RangeList>(
        rangeList(*records, filter, host_.values().get<core::Profile>().Height));
    fillChart(*list);
    fillRows(list, records);
    if (builder == ListBuilder::DSP_LIST_ALL) fillPeriodLists(*records);
    return true;
}

// The grid makes each row's texts when it is first shown; the list and the
// records it points into go with it.
void TaijyuPanel::fillRows(const std::shared_ptr<const RangeList>& list,
                           std::shared_ptr<const std::vector<core::WeightRecord>> records) {
    INIT_LIST_GRID();
    auto rows = static_cast<int>(list->size());
    msgBunseki.setRowSource(
        rows, [list, records = std::move(records)](int index, ui::Grid::RowCells& cells) {
            ListRow row = list->row(static_cast<size_t>(index));
            std::move(row.cells.begin(), row.cells.end(), cells.texts.begin());
            cells.colors[kColPreviousMark] = row.previousColor;
            cells.colors[kColFirstMark] = row.firstColor;
        });
    if (list->scrollToEnd) msgBunseki.setTopRow(msgBunseki.rows() - 1);
}

// One point per listed row; with none, one point without a value and the
// axis as it was.
void TaijyuPanel::fillChart(const RangeList& list) {
    mcrBunseki.setSeriesCount(1);
    mcrBunseki.setRowCount(0);
    mcrBunseki.setRowCount(std::max<int>(1, static_cast<int>(list.size())));
    std::vector<std::optional<double>> weights;
    weights.reserve(list.listed.size());
    for (const ListedRecord& row : list.listed) weights.emplace_back(row.record->Weight);
    mcrBunseki.setSeries(1, std::move(weights));
    if (list.axis) mcrBunseki.setAxis(list.axis->min, list.axis->max);
}

void TaijyuPanel::fillPeriodLists(const std::vector<core::WeightRecord>& records) {
    PeriodItems period = periodItems(records);
    auto days = std::make_shared<const std::vector<std::string>>(std::move(period.items));
    cboStdate.setItems(days);
    cboEddate.setItems(days);
    cboStdate.setText(period.shown.start);
    cboEddate.setText(period.shown.end);
}

void TaijyuPanel::DSP_LIST_ALL() {
    build(ListBuilder::DSP_LIST_ALL);
}
void TaijyuPanel::DSP_LIST_PERIOD() {
    build(ListBuilder::DSP_LIST_PERIOD);
}
void TaijyuPanel::DSP_LIST_KEY() {
    build(ListBuilder::DSP_LIST_KEY);
}
void TaijyuPanel::DSP_LIST_WEEK() {
    build(ListBuilder::DSP_LIST_WEEK);
}
void TaijyuPanel::DSP_LIST_WEEK_KEY() {
    build(ListBuilder::DSP_LIST_WEEK_KEY);
}

void TaijyuPanel::REFRESH_LIST() {
    build(chooseBuilder(txtKey.text(), SelectedWeekday));
}

// ---- the filter controls

template <typename Work>
void TaijyuPanel::rebuildHidden(Work work) {
    fraTaijyu.setVisible(false);
    work();
    fraTaijyu.setVisible(true);
}

void TaijyuPanel::highlight(ui::Button& button) {
    button.setBackColor(kChosen);
}

void TaijyuPanel::RESET_KIKAN_BUTTONS() {
    for (const auto& info : kPeriodButtons) periodButton(info.button).setBackColor(std::nullopt);
}

void TaijyuPanel::plainWeekButtons() {
    for (int i = 0; i < 7; ++i) cmdWeek(i).setBackColor(std::nullopt);
}

void TaijyuPanel::cmdKikan_Click(PeriodButton which) {
    rebuildHidden([&] {
        RESET_KIKAN_BUTTONS();
        if (which != PeriodButton::cmdKikanF) {
            auto records = readRecords();
            if (!records) return;
            std::string first = records->empty() ? std::string() : records->front().Date;
            Period period = periodOf(which, host_.services().clock.today(), first, {});
            // "全部" reaches the last record also when it lies after today.
            if (which == PeriodButton::cmdAllDay && !records->empty())
                period.end = std::max(period.end, records->back().Date);
            cboStdate.setText(period.start);
            cboEddate.setText(period.end);
        }
        REFRESH_LIST();
    });
    highlight(periodButton(which));
}

void TaijyuPanel::cmdWeek_Click(int index) {
    cmdAllWeek.setBackColor(std::nullopt);
    plainWeekButtons();
    SelectedWeekday = static_cast<int16_t>(index);
    rebuildHidden([&] { REFRESH_LIST(); });
    highlight(cmdWeek(index));
}

void TaijyuPanel::cmdAllWeek_Click() {
    rebuildHidden([&] {
        plainWeekButtons();
        SelectedWeekday = kNoWeekday;
        REFRESH_LIST();
    });
    highlight(cmdAllWeek);
}

void TaijyuPanel::cmdAllact_Click() {
    rebuildHidden([&] {
        txtKey.setText("");
        REFRESH_LIST();
    });
    highlight(cmdAllact);
}

void TaijyuPanel::lstAct2_Click() {
    int i = lstAct2.listIndex();
    if (i < 0) return;
    txtKey.setText(lstAct2.items()[static_cast<size_t>(i)]);
    rebuildHidden([&] {
        cmdAllact.setBackColor(std::nullopt);
        REFRESH_LIST();
    });
}

// A keyword is always typed into an empty box.
void TaijyuPanel::txtKey_GotFocus() {
    txtKey.setText("");
}

void TaijyuPanel::txtKey_KeyPress(ui::KeyPress& key) {
    if (!key.enter) return;
    key.handled = true;
    rebuildHidden([&] {
        cmdAllact.setBackColor(std::nullopt);
        REFRESH_LIST();
    });
}

// Searches in place, by the keyword and the period only.
void TaijyuPanel::cmdKensaku_Click() {
    DSP_LIST_KEY();
}

// ---- printing

void TaijyuPanel::cmdPriData_Click() {
    auto answer = host_.services().dialogs.message(kPrintQuestion, kPrintTitle, ui::Icon::Question,
                                                   ui::Buttons::OKCancel);
    if (answer != ui::Answer::OK) return;
    host_.services().clipboard.setPicture(mcrBunseki);
    // The rows as the table shows them; the log is not read again.
    std::vector<ListRow> rows(static_cast<size_t>(msgBunseki.rows() - 1));
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < kListColumns; ++c)
            rows[r].cells[static_cast<size_t>(c)] = msgBunseki.text(static_cast<int>(r) + 1, c);
    printReport(listPrintJob(rows), mcrBunseki);
}

}  // namespace records
