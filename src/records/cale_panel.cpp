#include "records/cale_panel.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <utility>

namespace records {

namespace {
// What the help tour says as the panel opens.
constexpr std::string_view kHelpText =
    "一日の中で体重増減状況を色で把握できるカレンダーです。\r\n"
    "\r\n"
    "体重が減っていれば「緑色」、増減がなければ「黄色」、増えちゃったら「赤色」です。\r\n"
    "一日の中で１回しか測定しなかった日は「紫色」で表しています。\r\n"
    "\r\n"
    "詳細／簡易ボタンで「増えた日/１回測定」と「減った日/増減無し」に切り替えられます\r\n"
    "\r\n"
    "赤色以外を増やすようにがんばりましょう！";
}  // namespace

const host::PanelInfo CalePanel::kInfo{
    .frame = "fraCale",
    .caption = "体重増減把握カレンダー",
    .button = {"cmdCale", "カレンダー", "体重増減把握カレンダーを表示します", "cale", '3'},
    .helpPage = "cale",
    .helpText = kHelpText};

CalePanel::CalePanel(host::PanelHost& host) : Panel(host, kInfo) {
    cmdSel1.add(0, form(), "cmdSel1", &fraCale, "詳細表示");
    cmdSel1.add(1, form(), "cmdSel1", &fraCale, "簡易表示");
    for (int i = 0; i < 2; ++i) cmdSel1(i).Click = [this, i] { cmdSel1_Click(i); };
    msgList2.DblClick = [this] { msgList2_DblClick(); };
    msgList2.setToolTip("日付をダブルクリックするとその日をメイン画面に表示します");
}

void CalePanel::fill() {
    setMode(CaleMode::Detail);
    INIT_CALE_GRID();
    DSP_CALE();
}

// The colours of the mode, on the active button and on the legend.
void CalePanel::setMode(CaleMode mode) {
    mode_ = mode;
    int active = mode == CaleMode::Detail ? 0 : 1;
    cmdSel1(active).setBackColor(kModeHighlight);
    cmdSel1(1 - active).setBackColor(std::nullopt);
    CaleColors colors = caleColors(mode);
    lblIroDn.setBackColor(colorOf(DayClass::Lost, mode));
    lblIroUp.setBackColor(colorOf(DayClass::Gained, mode));
    lblIroSm.setBackColor(colors.same);
    lblIroOne.setBackColor(colors.once);
    lblIroNon.setBackColor(ui::Color{255, 255, 255});
}

void CalePanel::cmdSel1_Click(int index) {
    fraCale.setVisible(false);
    setMode(index == 0 ? CaleMode::Detail : CaleMode::Simple);
    INIT_CALE_GRID();
    DSP_CALE();
    fraCale.setVisible(true);
}

void CalePanel::INIT_CALE_GRID() {
    // The month, then the days 1 to 31 with the grid's own alignments.
    static const auto kColumns = [] {
        static const auto kDays = [] {
            std::array<std::string, kCaleColumns> days;
            for (int c = 1; c < kCaleColumns; ++c) days[static_cast<size_t>(c)] = std::to_string(c);
            return days;
        }();
        std::array<ui::GridColumn, kCaleColumns> columns;
        columns[0] = {kCaleMonthHeader, kCaleMonthWidth, ui::Align::Center, ui::Align::Center};
        for (size_t c = 1; c < columns.size(); ++c)
            columns[c] = {kDays[c], kCaleDayWidth, ui::Align::Default, ui::Align::Default};
        return columns;
    }();
    msgList2.layOut(10, kColumns);
}

void CalePanel::DSP_CALE() {
    auto records = readRecords();
    if (!records) return;
    Calendar cal = calendarDays(*records, mode_, host_.services().clock.today());
    fillSummary(cal.counts);
    fillGrid(std::move(cal));
}

// Each month's row is made when the grid first shows it. The cells are
// grouped by row in their order, so that a day listed twice (a log out of
// date order) keeps the colour of its last run.
void CalePanel::fillGrid(Calendar cal) {
    auto byRow = [](const CaleCell& a, const CaleCell& b) { return a.row < b.row; };
    auto cells = std::make_shared<std::vector<CaleCell>>(std::move(cal.cells));
    if (!std::is_sorted(cells->begin(), cells->end(), byRow))
        std::stable_sort(cells->begin(), cells->end(), byRow);
    auto months = std::make_shared<const std::vector<std::string>>(std::move(cal.months));
    msgList2.setRowSource(
        static_cast<int>(months->size()), [months, cells, byRow](int i, ui::Grid::RowCells& row) {
            row.texts[0] = (*months)[static_cast<size_t>(i)];
            CaleCell key;
            key.row = i + 1;
            auto [first, last] = std::equal_range(cells->begin(), cells->end(), key, byRow);
            for (auto cell = first; cell != last; ++cell)
                if (cell->col > 0 && static_cast<size_t>(cell->col) < row.colors.size())
                    row.colors[static_cast<size_t>(cell->col)] = cell->color;
        });
}

void CalePanel::fillSummary(const CaleCounts& counts) {
    CaleSummary s = caleSummary(counts);
    lblDn_c.setText(s.lblDn_c);
    lblUp_c.setText(s.lblUp_c);
    lblSm_c.setText(s.lblSm_c);
    lblOne_c.setText(s.lblOne_c);
    lblNon_c.setText(s.lblNon_c);
    lblGenT.setText(s.lblGenT);
    lblZouT.setText(s.lblZouT);
    lblHugou.setText(s.lblHugou);
    imgWara2.setVisible(false);
    imgNiko2.setVisible(false);
    imgKana2.setVisible(false);
    (s.face == Face::Laughing  ? imgWara2
     : s.face == Face::Smiling ? imgNiko2
                               : imgKana2)
        .setVisible(true);
}

// A day of the calendar opens on the main panel; the header, the month column
// and a day the month does not have open nothing.
void CalePanel::msgList2_DblClick() {
    int row = msgList2.row();
    int col = msgList2.col();
    std::string month = row >= 1 && row < msgList2.rows() ? msgList2.text(row, 0) : std::string();
    msgList2.setCurrent(row, 0);
    auto date = cellDate(row, col, month);
    if (!date) return;
    host_.chooseDay(*date);
}

}  // namespace records
