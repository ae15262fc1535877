#include "analysis/rentai_panel.h"

#include <algorithm>
#include <cmath>

#include "analysis/shared_trend.h"
#include "core/settings.h"

namespace analysis {

namespace {
// What the help tour says as the panel opens.
constexpr std::string_view kHelpText =
    "ダイエットを開始した日から現在までの体重の推移を表示します。\r\n"
    "\r\n"
    "青線は入力した体重データそのものです。\r\n"
    "\r\n"
    "赤線は１０回分を平均化した移動平均データです。\r\n"
    "突発的な増減の影響を受けず傾向をつかみやすいグラフになります。\r\n"
    "\r\n"
    "「目標まで残り○○Ｋｇ」ボタンを押すとグラフの下限を目標値に切り替えられます。\r\n";
}  // namespace

const host::PanelInfo RenTaiPanel::kInfo{
    .frame = "fraRenTai",
    .caption = "全グラフ",
    .button = {"cmdRentai", "全グラフ", "現在までの体重グラフを表示します", "rentai", '5'},
    .helpPage = "rentai",
    .helpText = kHelpText};

RenTaiPanel::RenTaiPanel(host::PanelHost& host) : Panel(host, kInfo) {
    // Alt and these letters press the buttons.
    ui::setAccessKeys({{&cmdMokuChk, 'M'}});
    host_.values().listen<Trend>([this](const auto& built) { trendBuilt(built); });
    Shape6.setBackColor(ui::Color{255, 255, 240});
    Label3.add(0, form(), "Label3", &fraRenTai, "体重推移");
    Label3.add(1, form(), "Label3", &fraRenTai, "移動平均");
    mcrRentai.setSeriesCount(2);
    mcrRentai.setRowCount(0);
    cmdMokuChk.Click = [this] { cmdMokuChk_Click(); };
    cboIdou.Click = [this] { cboIdou_Click(); };
    cboIdou.KeyPressed = [this](ui::KeyPress& k) { cboIdou_KeyPress(k); };
    chkKeikou.Click = [this] { chkKeikou_Click(); };
}

void RenTaiPanel::load() {
    READ_IDOU();
    chkKeikou.setValue(core::readTrendLine(host_.dataDir()) != 0 ? 1 : 0);
}

void RenTaiPanel::READ_IDOU() {
    cboIdou.clear();
    for (int i = 1; i <= 30; ++i) cboIdou.addItem(std::to_string(i));
    cboIdou.setText(core::readMovingAverageWidth(host_.dataDir()));
}

void RenTaiPanel::DSP_RENTAI() {
    auto log = readLog();
    if (!log) return;  // an unreadable log leaves the panel as it was
    trend_ = sharedTrend(host_.values(), log);
    smoothed_ = sharedSmoothedTrend(host_.values(), log);
    showTrend();
}

// The analysis panel built the trend from the log it has just read.
void RenTaiPanel::trendBuilt(const std::shared_ptr<const Trend>& built) {
    trend_ = built;
    smoothed_ = sharedSmoothedTrend(host_.values(), core::sharedLogRecords(host_.dataDir()));
    showTrend();
}

// A build sets the floor back to the lowest weight, and the button with it,
// so that its colour never says the target is the floor when it is not.
void RenTaiPanel::showTrend() {
    DSP_IDOU();
    if (series().axis) mcrRentai.setAxis(series().axis->min, series().axis->max);
    TargetFloorOn = false;
    cmdMokuChk.setBackColor(std::nullopt);
    showTexts();
}

void RenTaiPanel::showTexts() {
    const float target = host_.values().get<core::Profile>().TargetWeight;
    lblNichis.setText(series().lblNichis);
    lblKiro.setText(series().lblKiro);
    if (series().recordCount() > 0) cmdMokuChk.setCaption(mokuChkCaption(series(), target));
    const SmoothedTrend& t = *smoothed_;
    lblKeikou.setText(t.lblKeikou);
    lblPace.setText(t.lblPace);
    if (!t.lastDate) {
        lblYosou.setText("");
        return;
    }
    auto forecast = forecastDate(*t.lastDate, t.lastTrend, t.slopePerDay, target);
    lblYosou.setText(yosouText(t.lastTrend, forecast, target));
}

void RenTaiPanel::DSP_IDOU() {
    const auto& weights = series().TrendWeights;
    auto average = movingAverage(weights, cboIdou.text());
    const bool trendLine = chkKeikou.value() != 0;
    mcrRentai.setSeriesCount(trendLine ? 3 : 2);
    mcrRentai.setRowCount(0);
    mcrRentai.setRowCount(series().recordCount());
    const auto count = static_cast<size_t>(series().recordCount());
    mcrRentai.setSeries(1, std::vector<std::optional<double>>(weights.begin(), weights.end()));
    mcrRentai.setSeries(2, std::move(average));
    if (!trendLine) return;
    // The trend of each weighing's day, after the two lines of the chart.
    std::vector<std::optional<double>> trend(count);
    for (size_t at = 0; at < count && at < smoothed_->series.size(); ++at)
        if (std::isfinite(smoothed_->series[at])) trend[at] = smoothed_->series[at];
    mcrRentai.setSeries(3, std::move(trend));
}

void RenTaiPanel::chkKeikou_Click() {
    if (host_.shared().Loading) return;
    host_.saved(core::writeTrendLine(host_.dataDir(), chkKeikou.value()));
    DSP_IDOU();
}

void RenTaiPanel::cmdMokuChk_Click() {
    TargetFloorOn = !TargetFloorOn;
    cmdMokuChk.setBackColor(TargetFloorOn ? std::optional(kTargetFloorColor) : std::nullopt);
    if (!series().axis) return;
    // The target's whole kilograms become the floor, weighings below it or
    // not; pressed again, the lowest weight's.
    Axis axis = TargetFloorOn ? targetFloorAxis(*series().axis,
                                                host_.values().get<core::Profile>().TargetWeight)
                              : *series().axis;
    mcrRentai.setAxis(axis.min, axis.max);
}

// A width is a whole number of 1 or more; anything else clears the box.
void RenTaiPanel::acceptMovingAverageWidth() {
    if (cboIdou.text().empty()) return;
    if (!movingAverageWidth(cboIdou.text())) {
        cboIdou.setText("");
        return;
    }
    DSP_IDOU();
    host_.saved(core::writeMovingAverageWidth(host_.dataDir(), cboIdou.text()));
    host_.services().shell.repaint();
}

void RenTaiPanel::cboIdou_Click() {
    acceptMovingAverageWidth();
}

void RenTaiPanel::cboIdou_KeyPress(ui::KeyPress& key) {
    if (key.enter) acceptMovingAverageWidth();
}

}  // namespace analysis
