// The main panel: for the date selected in the calendar, every weighing with
// its differences and penalty, the day's and the grand totals, the face mark,
// and the summary of the whole log.
#include <cmath>

#include "analysis/bmi.h"
#include "app/frm_main.h"
#include "core/numbers.h"
#include "setup/situation_list.h"

namespace app {
namespace {

// The arrow and colour of a difference as the cell displays it.
std::pair<const char*, ui::Color> arrowOf(const std::string& shown) {
    double d = core::Val(shown);
    if (d > 0) return {"↑", ui::kLightRed};
    if (d == 0) return {"→", ui::kLightYellow};
    return {"↓", ui::kLightGreen};
}

}  // namespace

void frmMain::READ_JYOUKYOU() {
    lstAct.clear();
    lstAct2.clear();
    lstKoumoku.clear();
    for (const auto& label : setup::readSituationList(dir_)) {
        lstAct.addItem(label);
        lstAct2.addItem(label);
        lstKoumoku.addItem(label);
    }
}

void frmMain::READ_KANSAN() {
    state.Conversion = savings::READ_KANSAN(dir_);
}

void frmMain::INIT_DAY_LIST() {
    static const char* const kHeaders[] = {"回",     "行動", "体重",   "前回差", "差",
                                           "初回差", "差",   "ＢＭＩ", "肥満度", "貯金"};
    static const int kWidths[] = {450, 2015, 900, 900, 350, 900, 350, 770, 780, 780};
    msgDayList.setRows(1);
    msgDayList.setFontSize(11);
    for (int c = 0; c < 10; ++c) {
        msgDayList.setText(0, c, kHeaders[c]);
        msgDayList.setColWidth(c, kWidths[c]);
        msgDayList.setFixedAlignment(c, ui::Align::Center);
        msgDayList.setColAlignment(c, c == 1             ? ui::Align::Left
                                      : c == 4 || c == 6 ? ui::Align::Center
                                                         : ui::Align::Right);
    }
    msgDayList.setTopRow(1);
}

void frmMain::addDayRow(const core::RecordView& rec, float weightBefore, float rate,
                        int32_t& dayTotal, std::string& face) {
    float w = rec.Weight;
    int row = state.DayRowNo;
    if (row == 1) state.DayFirstWeight = w;
    msgDayList.addRow({std::to_string(row), std::string(rec.Situation), core::Format(w, "0.0Kg")});
    if (state.PrevWeight == 0 && rec.Date == state.Summary.FirstDate) state.PrevWeight = w;
    if (state.PrevWeight == 0) state.PrevWeight = weightBefore;
    auto difference = [&](int col, float from) {
        std::string shown = core::Format(static_cast<double>(w) - from, "0.0Kg");
        auto [arrow, color] = arrowOf(shown);
        msgDayList.setText(row, col, shown);
        msgDayList.setText(row, col + 1, arrow);
        msgDayList.setCellColor(row, col + 1, color);
        return arrow;
    };
    difference(3, state.PrevWeight);
    face = difference(5, state.DayFirstWeight);
    if (hasHeight()) {
        float s = analysis::standardWeight(state.Height);
        msgDayList.setText(row, 7, core::Format(analysis::bmiOf(w, state.Height), "0.0"));
        msgDayList.setText(row, 8, core::Format((static_cast<double>(w) - s) / s, "0.0%"));
    }
    int32_t p = savings::WEIGHING_PENALTY(w, state.PrevWeight, state.DayFirstWeight, rate);
    if (p > 0) msgDayList.setText(row, 9, std::to_string(p) + "円");
    dayTotal += p;
    state.DayMaxWeight = std::max(state.DayMaxWeight, w);
    state.DayMinWeight = std::min(state.DayMinWeight, w);
    if (mcrMain.rowCount() < row) mcrMain.setRowCount(row);
    if (mcrSub.rowCount() < row) mcrSub.setRowCount(row);
    mcrMain.setValue(row, 1, w);
    mcrSub.setValue(row, 1, dayTotal);
    mcrSub.setValue(row, 2, p);
    state.PrevWeight = w;
    state.DayRowNo = static_cast<int16_t>(row + 1);
    state.DayLastDate = std::string(rec.Date);
}

void frmMain::DSP_MAIN() {
    INIT_DAY_LIST();
    // Down to one point with no value, so a day without weighings shows none.
    for (auto [chart, series] : {std::pair{&mcrMain, 1}, std::pair{&mcrSub, 2}}) {
        chart->setSeriesCount(series);
        chart->setRowCount(0);
        chart->setRowCount(1);
    }
    const std::string selected = core::dateText(mtvmain.date());
    state.DayRowNo = 1;
    state.PrevWeight = 0;
    int32_t dayTotal = 0, grandTotal = 0;
    int16_t count = 0;

    auto& sum = state.Summary;
    auto first = core::readFirstRecord(dir_);
    sum.FirstDate = first ? first->Date : "";
    sum.FirstWeight = first ? first->Weight : 0;
    float s = hasHeight() ? analysis::standardWeight(state.Height) : 0;
    sum.FirstBmi = hasHeight() ? analysis::bmiOf(sum.FirstWeight, state.Height) : 0;
    sum.FirstObesity = hasHeight() ? static_cast<float>((sum.FirstWeight - s) / s) : 0;
    state.DayMaxWeight = 0;
    state.DayMinWeight = 999;

    core::LogScan scan = core::READ_LOG(dir_);
    core::RecordView rec;
    std::string previousDate, rateDate, face;
    float previousWeight = 0, dayFirst = 0, rate = 0;
    while (scan.next(rec)) {
        if (rec.Date != rateDate) {  // records of one date share its rate
            rateDate = std::string(rec.Date);
            rate = savings::KANSAN_RATE(state.Conversion, rateDate);
        }
        if (rec.Date != previousDate) dayFirst = rec.Weight;
        if (count > 0 && rec.Date <= selected)
            grandTotal =
                savings::addWeighing(grandTotal, rec.Weight, previousWeight, dayFirst, rate);
        if (rec.Date == selected) addDayRow(rec, previousWeight, rate, dayTotal, face);
        sum.LastWeight = rec.Weight;
        sum.LastDate = std::string(rec.Date);
        if (count < core::kMaxRecords) ++count;
        previousWeight = rec.Weight;
        previousDate = std::string(rec.Date);
    }
    if (state.Loading && scan.unreadableLines() > 0)
        services_.dialogs.message("データ.txt に読めない行が " +
                                      std::to_string(scan.unreadableLines()) +
                                      " 行あります。\r\nその行は表示にも計算にも使われません。",
                                  "データ確認", ui::Icon::Exclamation);
    if (msgDayList.rows() > 11) msgDayList.setTopRow(msgDayList.rows() - 1);
    sum.RecordCount = count;
    // The top of the axis rounds the heaviest weighing up; for a weight just
    // above a whole kilogram (71.1 in single precision) that rounding falls
    // short, and the point must not be drawn above the chart.
    double top = std::floor(static_cast<double>(state.DayMaxWeight) + 0.9);
    if (top < state.DayMaxWeight) top += 1;
    mcrMain.setAxis(std::floor(state.DayMinWeight), top);
    if (state.PrevWeight != 0) {
        state.CurrentWeight = state.PrevWeight;
        state.CurrentDate = state.DayLastDate;
    } else {
        state.CurrentWeight = sum.LastWeight;
        state.CurrentDate = sum.LastDate;
    }
    DSP_BMI();
    showSummaryLabels(dayTotal, grandTotal, face);
    state.SelectedSituation.clear();
    txtTaiInp.setText("");
}

void frmMain::showSummaryLabels(int32_t dayTotal, int32_t grandTotal, const std::string& face) {
    const auto& sum = state.Summary;
    auto firstDay = core::parseDate(sum.FirstDate);
    auto currentDay = core::parseDate(state.CurrentDate);
    if (firstDay && currentDay) {
        lblDspNissuu.setText(core::Format(*firstDay, "yy/mm/dd") + " → " +
                             std::to_string(core::daysBetween(*firstDay, *currentDay)) + "日経過");
        float first = sum.FirstWeight, current = state.CurrentWeight;
        lblDspTai.setText(core::Format(first, "0.0Kg") + " → " +
                          core::Format(std::fabs(static_cast<double>(current) - first), "0.0Kg") +
                          (first < current    ? " 増"
                           : first == current ? " 同"
                                              : " 減"));
    } else {
        lblDspNissuu.setText("");
        lblDspTai.setText("");
    }
    lblDspBmi.setText(std::to_string(dayTotal) + "円");
    lblDspHiman.setText(core::Format(grandTotal, "0,0円"));
    for (ui::Picture* p : {&imgwara, &imgniko, &imgkana, &imgNashi}) p->setVisible(false);
    if (state.DayRowNo == 1)
        imgNashi.setVisible(true);
    else if (face == "↑")
        imgkana.setVisible(true);
    else if (face == "→")
        imgniko.setVisible(true);
    else
        imgwara.setVisible(true);
}

void frmMain::mtvmain_DateClick() {
    DSP_MAIN();
    mcrMain.setFocus();
}

}  // namespace app
