#include "analysis/avgtai_panel.h"

#include <memory>

namespace analysis {
namespace {

constexpr std::string_view kRefusedTitle = "日平均";

// What the help tour says as the panel opens.
constexpr std::string_view kHelpText =
    "日毎の平均体重をリストとグラフに表示します。\r\n"
    "\r\n"
    "表示中の平均データはテキストデータに保存したり、印刷することができます。\r\n";
}  // namespace

const host::PanelInfo AvgTaiPanel::kInfo{
    .frame = "fraAvgTai",
    .caption = "日平均",
    .button = {"cmdAvgtai", "日平均", "日毎の平均値を表示します", "avgtai", '6'},
    .helpPage = "avgtai",
    .helpText = kHelpText};

AvgTaiPanel::AvgTaiPanel(host::PanelHost& host) : Panel(host, kInfo) {
    // Alt and these letters press the buttons.
    ui::setAccessKeys({{&cmdKikanF2, 'K'}, {&cmdAvgHozon, 'E'}, {&cmdAvgPri, 'P'}});
    Label4.add(1, form(), "Label4", &fraAvgTai, "～");
    cmdKikanF2.setToolTip("指定した期間で表示");
    cmdAvgHozon.setToolTip("平均データを保存");
    cmdAvgPri.setToolTip("平均データを印刷");
    mcrAvgtai.setRowCount(0);
    INIT_AVGTAI();  // the headers show even before a first fill succeeds
    cmdKikanF2.Click = [this] { cmdKikanF2_Click(); };
    cmdAvgHozon.Click = [this] { cmdAvgHozon_Click(); };
    cmdAvgPri.Click = [this] { cmdAvgPri_Click(); };
    for (ui::OptionButton* unit : {&optDay, &optWeek, &optMonth})
        unit->Click = [this] { optTani_Click(); };
    optDay.setValue(true);
}

// The panel opens on days, whatever unit it showed last.
void AvgTaiPanel::fill() {
    choosingUnit_ = true;
    optDay.setValue(true);
    choosingUnit_ = false;
    showUnit();
}

void AvgTaiPanel::optTani_Click() {
    if (!choosingUnit_) showUnit();
}

void AvgTaiPanel::showUnit() {
    const bool days = optDay.value();
    for (ui::Control* period :
         std::initializer_list<ui::Control*>{&cboStdate2, &cboEddate2, &cmdKikanF2})
        period->setEnabled(days);
    if (days)
        DSP_AVGTAI();
    else
        showPeriods(optWeek.value() ? Unit::Week : Unit::Month);
}

void AvgTaiPanel::showPeriods(Unit unit) {
    auto records = readRecords();
    if (!records) return;
    DayAveragesResult result = periodAverages(*records, unit);
    if (!accepted(result)) return;
    INIT_AVGTAI();
    show(std::move(result.table));
}

void AvgTaiPanel::INIT_AVGTAI() {
    static constexpr ui::GridColumn kColumns[] = {
        {"数", 500, ui::Align::Right},
        {"日付", 900, ui::Align::Center},
        {"体重", 550, ui::Align::Right},
    };
    msgAvgtai.layOut(9, kColumns);
}

bool AvgTaiPanel::accepted(const DayAveragesResult& result) {
    if (result.ok()) return true;
    host_.services().dialogs.message(result.error, kRefusedTitle, ui::Icon::Exclamation);
    return false;
}

// All days. The table is worked out first, so a refusal leaves the panel
// as it was.
void AvgTaiPanel::DSP_AVGTAI() {
    auto records = readRecords();
    if (!records) return;
    DayAveragesResult result = dayAverages(*records);
    if (!accepted(result)) return;
    INIT_AVGTAI();
    auto days = std::make_shared<const std::vector<std::string>>(std::move(result.table.dateItems));
    cboStdate2.setItems(days);
    cboEddate2.setItems(days);
    std::string start = std::move(result.table.startText);
    std::string end = std::move(result.table.endText);
    show(std::move(result.table));
    if (records->empty()) return;
    cboStdate2.setText(std::move(start));
    cboEddate2.setText(std::move(end));
}

void AvgTaiPanel::DSP_AVGTAI_KIKAN() {
    auto records = readRecords();
    if (!records) return;
    DayAveragesResult result = dayAveragesForPeriod(*records, cboStdate2.text(), cboEddate2.text());
    if (!accepted(result)) return;
    INIT_AVGTAI();
    show(std::move(result.table));
}

// The list's rows are made when the grid first shows them.
void AvgTaiPanel::show(DayAverages table) {
    const auto count = static_cast<int32_t>(table.rows.size());
    mcrAvgtai.setRowCount(0);
    mcrAvgtai.setRowCount(count);
    mcrAvgtai.setSeries(1, std::move(table.chart));
    if (table.axis) mcrAvgtai.setAxis(table.axis->min, table.axis->max);
    auto rows = std::make_shared<const DayRows>(std::move(table.rows));
    msgAvgtai.setRowSource(count, [rows](int i, ui::Grid::RowCells& cells) {
        DayRow row = (*rows)[static_cast<size_t>(i)];
        cells.texts = {std::move(row.number), std::move(row.date), std::move(row.average)};
    });
}

// The period is checked before the list is cleared: a refused period leaves
// the list and the chart as they were.
void AvgTaiPanel::cmdKikanF2_Click() {
    DSP_AVGTAI_KIKAN();
}

std::vector<DayRow> AvgTaiPanel::shownRows() const {
    std::vector<DayRow> rows;
    rows.reserve(static_cast<size_t>(msgAvgtai.rows()));
    for (int r = 1; r < msgAvgtai.rows(); ++r)
        rows.push_back({msgAvgtai.text(r, 0), msgAvgtai.text(r, 1), msgAvgtai.text(r, 2)});
    return rows;
}

void AvgTaiPanel::cmdAvgHozon_Click() {
    if (!host_.saved(writeDayAverages(host_.dataDir(), shownRows()))) return;
    host_.services().dialogs.message(kDayAverageSaved, kDayAverageSavedTitle,
                                     ui::Icon::Information);
}

void AvgTaiPanel::cmdAvgPri_Click() {
    auto answer = host_.services().dialogs.message(kDayAveragePrintQuestion, kDayAveragePrintTitle,
                                                   ui::Icon::Question, ui::Buttons::OKCancel);
    if (answer != ui::Answer::OK) return;
    host_.services().clipboard.setPicture(mcrAvgtai);
    printReport(dayAveragePrintJob(shownRows()), mcrAvgtai);
}

}  // namespace analysis
