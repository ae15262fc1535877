#include "weighing/main_panel.h"

#include <cmath>
#include <utility>

#include "analysis/bmi.h"
#include "core/numbers.h"
#include "core/settings.h"

namespace weighing {
namespace {

// The arrow of a change in the day list.
const char* arrowOf(core::Change change) {
    switch (change) {
        case core::Change::Up:
            return "↑";
        case core::Change::Same:
            return "→";
        case core::Change::Down:
            break;
    }
    return "↓";
}

}  // namespace

const host::PanelInfo MainPanel::kInfo{
    .frame = "fraMain",
    .caption = "メイン",
    .button = {"cmdMain", "メイン", "メイン画面を表示します", "main", '1'},
    .helpPage = "main",
    .helpText = {}};  // the main panel explains nothing as it opens

MainPanel::MainPanel(host::PanelHost& host) : Panel(host, kInfo) {
    for (int i = 0; i < 5; ++i) {
        Shape1.add(i, form(), "Shape1", &fraMain)
            .setGeometry(analysis::kMainBar.lefts[i], analysis::kMainBar.widths[i]);
        Shape1(i).setBackColor(analysis::kSegmentColors[i]);
    }
    wireEvents();
}

void MainPanel::wireEvents() {
    mtvmain.DateClick = [this] { mtvmain_DateClick(); };
    mcrMain.Click = [this] { mcrMain_Click(); };
}

void MainPanel::load() {
    mtvmain.setDate(host_.services().clock.today());
    INIT_DAY_LIST();
}

void MainPanel::start() {
    DSP_MAIN();
    READ_MARKER();
    DSP_BMI();
    entry.endEntry();
}

void MainPanel::logChanged(bool outside) {
    noticeUnreadable_ = outside;
    DSP_MAIN();
}

void MainPanel::dayChosen(core::Date date) {
    mtvmain.setDate(date);
    DSP_MAIN();
    host_.open(*this);
}

void MainPanel::DSP_BMI() {
    auto& shared = host_.shared();
    if (shared.summary.RecordCount == 0) return;
    const auto& profile = host_.values().get<core::Profile>();
    if (host::hasHeight(profile))
        shared.CurrentBmi = analysis::bmiOf(shared.CurrentWeight, profile.Height);
    host_.currentWeighingChanged();
}

void MainPanel::INIT_DAY_LIST() {
    using ui::Align;
    static constexpr ui::GridColumn kColumns[] = {
        {"回", 450, Align::Right},     {"行動", 2015, Align::Left},   {"体重", 900, Align::Right},
        {"前回差", 900, Align::Right}, {"差", 350, Align::Center},    {"初回差", 900, Align::Right},
        {"差", 350, Align::Center},    {"ＢＭＩ", 770, Align::Right}, {"肥満度", 780, Align::Right},
        {"貯金", 780, Align::Right},
    };
    msgDayList.layOut(11, kColumns);
}

void MainPanel::DSP_MAIN() {
    auto& shared = host_.shared();
    const auto& profile = host_.values().get<core::Profile>();
    core::LogScan scan = core::READ_LOG(host_.dataDir());
    DayView day = computeDay(scan.records(), host_.values().get<savings::ConversionTable>(),
                             profile.Height, core::dateText(mtvmain.date()));

    auto& sum = shared.summary;
    sum = day.summary;
    if (host::hasHeight(profile)) {
        sum.FirstBmi = analysis::bmiOf(sum.FirstWeight, profile.Height);
        sum.FirstObesity =
            static_cast<float>(analysis::obesityRatio(sum.FirstWeight, profile.Height));
    }
    bool notice = shared.Loading || std::exchange(noticeUnreadable_, false);
    if (host_.readable(scan.status()) && notice && scan.unreadableLines() > 0)
        host_.services().dialogs.message(
            "データ.txt に読めない行が " + std::to_string(scan.unreadableLines()) +
                " 行あります。\r\nその行は表示にも計算にも使われません。",
            "データ確認", ui::Icon::Exclamation);
    fillDay(day);
    shared.CurrentWeight = day.currentWeight;
    shared.CurrentDate = day.currentDate;
    DSP_BMI();
    showSummaryLabels(day);
    entry.clear();
}

void MainPanel::fillDay(const DayView& day) {
    INIT_DAY_LIST();
    // Down to one point with no value, so a day without weighings shows none.
    for (auto [chart, series] : {std::pair{&mcrMain, 1}, std::pair{&mcrSub, 2}}) {
        chart->setSeriesCount(series);
        chart->setRowCount(0);
        chart->setRowCount(1);
    }
    int row = 1;
    for (const DayRow& values : day.rows) addDayRow(row++, values);
    if (msgDayList.rows() > 11) msgDayList.setTopRow(msgDayList.rows() - 1);
    mcrMain.setAxis(std::floor(day.dayMin), core::weightAxisTop(day.dayMax));
}

void MainPanel::addDayRow(int row, const DayRow& v) {
    msgDayList.addRow(
        {std::to_string(row), std::string(v.Situation), core::Format(v.Weight, "0.0Kg")});
    auto difference = [&](int col, double value, core::Change change) {
        msgDayList.setText(row, col, core::Format(value, "0.0Kg"));
        msgDayList.setText(row, col + 1, arrowOf(change));
        msgDayList.setCellColor(row, col + 1, ui::changeColor(change));
    };
    difference(3, v.fromPrevious, v.previousMark);
    difference(5, v.fromFirst, v.firstMark);
    if (v.bmi) msgDayList.setText(row, 7, core::Format(*v.bmi, "0.0"));
    if (v.obesity) msgDayList.setText(row, 8, core::Format(*v.obesity, "0.0%"));
    if (v.penalty > 0) msgDayList.setText(row, 9, std::to_string(v.penalty) + "円");
    if (mcrMain.rowCount() < row) mcrMain.setRowCount(row);
    if (mcrSub.rowCount() < row) mcrSub.setRowCount(row);
    mcrMain.setValue(row, 1, v.Weight);
    mcrSub.setValue(row, 1, v.dayTotal);
    mcrSub.setValue(row, 2, v.penalty);
}

void MainPanel::showSummaryLabels(const DayView& day) {
    const auto& shared = host_.shared();
    const auto& sum = shared.summary;
    auto firstDay = core::parseDate(sum.FirstDate);
    auto currentDay = core::parseDate(shared.CurrentDate);
    if (firstDay && currentDay) {
        lblDspNissuu.setText(core::Format(*firstDay, "yy/mm/dd") + " → " +
                             std::to_string(core::daysBetween(*firstDay, *currentDay)) + "日経過");
        float first = sum.FirstWeight, current = shared.CurrentWeight;
        lblDspTai.setText(core::Format(first, "0.0Kg") + " → " +
                          core::Format(std::fabs(static_cast<double>(current) - first), "0.0Kg") +
                          std::string(core::changeWord(core::changeOf(current - first))));
    } else {
        lblDspNissuu.setText("");
        lblDspTai.setText("");
    }
    lblDspBmi.setText(std::to_string(day.dayTotal) + "円");
    lblDspHiman.setText(core::Format(day.grandTotal, "0,0円"));
    for (ui::Picture* p : {&imgwara, &imgniko, &imgkana, &imgNashi}) p->setVisible(false);
    switch (day.face) {
        case Face::None:
            imgNashi.setVisible(true);
            break;
        case Face::Up:
            imgkana.setVisible(true);
            break;
        case Face::Same:
            imgniko.setVisible(true);
            break;
        case Face::Down:
            imgwara.setVisible(true);
            break;
    }
}

void MainPanel::currentWeighingChanged() {
    const auto& shared = host_.shared();
    if (!host::hasHeight(host_.values().get<core::Profile>())) {  // no height, no BMI: show nothing
                                                                  // rather than divide by zero
        lblMHyouka.setText("");
        lblMHyouka.setBackColor(std::nullopt);
        return;
    }
    Image1.setLeft(
        analysis::pointerLeft(analysis::kMainBar, analysis::clampToMeter(shared.CurrentBmi)));
    const auto& cls = analysis::classify(shared.CurrentBmi);
    lblMHyouka.setBackColor(cls.labelColor);
    lblMHyouka.setText(std::string(cls.text));
}

void MainPanel::mtvmain_DateClick() {
    DSP_MAIN();
    mcrMain.setFocus();
}

void MainPanel::READ_MARKER() {
    MarkerStyle = core::readMarkerStyle(host_.dataDir());
    SET_MARKER();
}

void MainPanel::SET_MARKER() {
    mcrMain.setMarkerStyle(MarkerStyle == 0 || MarkerStyle == 1 ? MarkerStyle : 2);
}

void MainPanel::mcrMain_Click() {
    MarkerStyle = static_cast<int16_t>(MarkerStyle >= 2 ? 0 : MarkerStyle + 1);
    SET_MARKER();
    host_.saved(core::writeMarkerStyle(host_.dataDir(), MarkerStyle));
}

}  // namespace weighing
