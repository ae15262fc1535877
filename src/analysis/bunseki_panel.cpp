#include "analysis/bunseki_panel.h"

#include <array>
#include <memory>
#include <type_traits>

#include "analysis/shared_trend.h"

namespace analysis {
namespace {

using ui::Align;
using GridLayout = ui::GridColumn[4];

constexpr GridLayout kJikei{{"回数", 1085, Align::Right},
                            {"日付", 1500, Align::Right},
                            {"体重", 1150, Align::Right},
                            {"初回差", 1100, Align::Right}};
constexpr GridLayout kKugiri{{"区切り", 1085, Align::Right},
                             {"日付", 1500, Align::Right},
                             {"達成", 1150, Align::Right},
                             {"経過", 1100, Align::Right}};
constexpr GridLayout kHeikin{{"日数", 1085, Align::Right},
                             {"体重", 1150, Align::Right},
                             {"平均体重", 1500, Align::Right},
                             {"差", 1100, Align::Right}};
constexpr GridLayout kBanzuke{{"順位", 1085, Align::Right},
                              {"体重範囲", 2000, Align::Right},
                              {"累積", 880, Align::Right},
                              {"差", 870, Align::Right}};

// The data rows below the header, replacing what the grid held; each row is
// made when the grid first shows it.
template <typename List>
void fillRows(ui::Grid& grid, List&& list) {
    auto kept = std::make_shared<const std::decay_t<List>>(std::forward<List>(list));
    grid.setRowSource(static_cast<int>(kept->size()), [kept](int i, ui::Grid::RowCells& cells) {
        ListRow row = kept->row(static_cast<size_t>(i));
        std::move(row.begin(), row.end(), cells.texts.begin());
    });
}

// A long list shows its newest rows.
void scrollToEnd(ui::Grid& grid) {
    if (grid.rows() > 10) grid.setTopRow(grid.rows() - 1);
}

// What the help tour says as the panel opens.
constexpr std::string_view kHelpText =
    "登録されている体重データを元に４つの分析結果を一覧表示します。\r\n"
    "\r\n"
    "　・時系列連続体重：体重の推移です。前回との差と初回との差で切り替えができます。\r\n"
    "\r\n"
    "　・区切り経過　　　：０．５Ｋｇを区切りとして何日後に達成したかが把握できます。\r\n"
    "\r\n"
    "　・体重平均推移　　：体重推移の平均です。停滞期でも下がっていくので励みになります。\r\n"
    "\r\n"
    "　・体重推移累積番付：何回その体重区間に滞在したかが把握できます。停滞期も楽しく乗りきれます！"
    "？\r\n"
    "\r\n"
    "\r\n"
    "これらの情報を利用してダイエットの励みにしましょう。";
}  // namespace

const host::PanelInfo BunsekiPanel::kInfo{
    .frame = "fraBunseki",
    .caption = "分析リスト",
    .button = {"cmdBunseki", "分析リスト", "体重分析画面を表示します", "bunseki", '4'},
    .helpPage = "bunseki",
    .helpText = kHelpText};

BunsekiPanel::BunsekiPanel(host::PanelHost& host) : Panel(host, kInfo) {
    makeGroupControls();
    Option1(0).setValue(true);
    Option2(1).setValue(true);
    for (int i = 0; i < 2; ++i) {
        Option1(i).Click = [this] { Option1_Click(); };
        Option2(i).Click = [this] { Option2_Click(); };
    }
}

// The groups exist before the grids that sit in them.
ui::ControlArray<ui::Frame> BunsekiPanel::makeFrame8() {
    ui::ControlArray<ui::Frame> groups;
    groups.add(0, form(), "Frame8", &fraBunseki, "    時系列体重データ");
    groups.add(1, form(), "Frame8", &fraBunseki, "    区切り経過");
    groups.add(2, form(), "Frame8", &fraBunseki, "    体重平均推移");
    return groups;
}

void BunsekiPanel::makeGroupControls() {
    ui::Frame* groups[] = {&Frame8(0), &Frame8(1), &Frame8(2), &fraB4};
    for (int i = 0; i < 4; ++i) Image3.add(i, form(), "Image3", groups[i]);
    Option1.add(0, form(), "Option1", &Frame8(0), "前回との差");
    Option1.add(1, form(), "Option1", &Frame8(0), "初回との差");
    Option2.add(0, form(), "Option2", &fraB4, "１.０Ｋｇ刻み");
    Option2.add(1, form(), "Option2", &fraB4, "０.５Ｋｇ刻み");
    Label5.add(0, form(), "Label5", &Frame8(1));
    Label5.add(1, form(), "Label5", &Frame8(2));
}

void BunsekiPanel::INIT_BUNSEKI() {
    msgB1.layOut(11, kJikei);
    msgB2.layOut(11, kKugiri);
    msgB3.layOut(11, kHeikin);
    msgB4.layOut(11, kBanzuke);
}

void BunsekiPanel::cmdBunseki_Click() {
    if (auto log = readLog()) {
        // The trend chart is built anew from the same series.
        trend_ = sharedTrend(host_.values(), log);
        host_.values().announce(trend_);
    }
    DSP_JIKEI();
    DSP_KUGIRI();
    DSP_HEIKIN();
    DSP_BANZUKE();
}

void BunsekiPanel::DSP_JIKEI() {
    if (empty()) return;
    JikeiList list =
        jikeiList(sharedSeries(), Option1(0).value() ? DiffBase::Previous : DiffBase::First);
    msgB1.setText(0, 3, list.header3);
    fillRows(msgB1, std::move(list));
    scrollToEnd(msgB1);
}

void BunsekiPanel::DSP_KUGIRI() {
    if (empty()) return;
    KugiriList list = kugiriList(series());
    std::optional<std::string> note = list.note;
    fillRows(msgB2, std::move(list));
    if (msgB2.rows() <= 1) return;  // no milestone yet: the note keeps its text
    scrollToEnd(msgB2);
    if (note) Label5(0).setText(*note);
}

void BunsekiPanel::DSP_HEIKIN() {
    if (empty()) return;
    HeikinList list = heikinList(sharedSeries());
    Label5(1).setText(list.note);
    fillRows(msgB3, std::move(list));
    scrollToEnd(msgB3);
}

void BunsekiPanel::DSP_BANZUKE() {
    if (empty()) return;
    BanzukeList list = banzukeList(
        series(), Option2(0).value() ? BandWidth::OneKilogram : BandWidth::HalfKilogram);
    fraB4.setCaption(list.caption);
    fillRows(msgB4, std::move(list));
}

void BunsekiPanel::Option1_Click() {
    DSP_JIKEI();
}

void BunsekiPanel::Option2_Click() {
    DSP_BANZUKE();
}

}  // namespace analysis
