#include "analysis/keikou_panel.h"

#include <algorithm>

#include "analysis/keikou.h"
#include "analysis/shared_trend.h"

namespace analysis {

namespace {
// What the help tour says as the panel opens.
constexpr std::string_view kHelpText =
    "体重の傾向を、期間ごとの変化と状況ごとの体重から分析します。\r\n"
    "\r\n"
    "「傾向の元」で、傾向線に使う測定（一日の平均、一日の最初、一日の最小、"
    "または一つの状況）を選べます。全グラフの傾向線も同じものを使います。\r\n"
    "\r\n"
    "「1日あたり」は、体重の変化を体脂肪 1kg ＝ 7,200kcal で換算した目安です。\r\n";

constexpr std::string_view kKcalNote =
    "1日あたりは、体脂肪 1kg を 7,200kcal として、食べた分と使った分の差を見積もったものです。";

constexpr ui::GridColumn kPeriodColumns[] = {
    {"期間", 900, ui::Align::Left},       {"変化", 1000, ui::Align::Right},
    {"週あたり", 1100, ui::Align::Right}, {"1日あたり", 1300, ui::Align::Right},
    {"最小", 800, ui::Align::Right},      {"最大", 800, ui::Align::Right},
};

constexpr ui::GridColumn kSituationColumns[] = {
    {"状況", 1900, ui::Align::Left},   {"回数", 700, ui::Align::Right},
    {"平均", 800, ui::Align::Right},   {"一日の平均との差", 1700, ui::Align::Right},
    {"最新", 1200, ui::Align::Center},
};

template <size_t N>
std::vector<std::string> rowOf(std::string first, const std::array<std::string, N>& rest) {
    std::vector<std::string> row{std::move(first)};
    row.insert(row.end(), rest.begin(), rest.end());
    return row;
}
}  // namespace

const host::PanelInfo KeikouPanel::kInfo{
    .frame = "fraKeikou",
    .caption = "傾向分析",
    .button = {"cmdKeikou", "傾向分析", "体重の傾向を期間と状況から分析します", "keikou", '0'},
    .helpPage = "keikou",
    .helpText = kHelpText};

KeikouPanel::KeikouPanel(host::PanelHost& host) : Panel(host, kInfo) {
    for (size_t i = 0; i < kTrendBasisCaptions.size(); ++i) {
        std::string caption(kTrendBasisCaptions[i]);
        if (i == static_cast<size_t>(TrendBasis::Situation)) caption += "：";
        ui::OptionButton& option =
            optMoto.add(static_cast<int>(i), form(), "optMoto", &fraMoto, caption);
        option.Click = [this, i] { optMoto_Click(static_cast<int>(i)); };
    }
    cboMoto.Click = [this] { cboMoto_Click(); };
    msgKeikou.layOut(9, kPeriodColumns);
    msgJyoukyouBetsu.layOut(9, kSituationColumns);
}

const TrendSource& KeikouPanel::source() {
    return trendSource(host_.values());
}

void KeikouPanel::load() {
    host_.values().set(readTrendSource(host_.dataDir()));
    showSource();
}

void KeikouPanel::situationsChanged(const std::vector<std::string>& labels) {
    situations_ = labels;
    showSource();
}

void KeikouPanel::situationAdded(const std::string& label) {
    situations_.push_back(label);
    showSource();
}

// The combo lists the situation list, after the remembered label when the
// list lacks it.
void KeikouPanel::showSource() {
    const TrendSource& s = source();
    std::vector<std::string> items;
    if (!s.label.empty() &&
        std::find(situations_.begin(), situations_.end(), s.label) == situations_.end())
        items.push_back(s.label);
    items.insert(items.end(), situations_.begin(), situations_.end());
    cboMoto.setItems(std::make_shared<const std::vector<std::string>>(std::move(items)));
    cboMoto.setText(s.label);
    showingSource_ = true;
    optMoto(static_cast<int>(s.basis)).setValue(true);
    showingSource_ = false;
    cboMoto.setEnabled(s.basis == TrendBasis::Situation);
}

void KeikouPanel::optMoto_Click(int index) {
    if (showingSource_) return;
    TrendSource chosen = source();
    chosen.basis = static_cast<TrendBasis>(index);
    if (chosen.basis == TrendBasis::Situation && cboMoto.text().empty() && !cboMoto.items().empty())
        chosen.label = cboMoto.items().front();
    choose(std::move(chosen));
}

void KeikouPanel::cboMoto_Click() {
    TrendSource chosen = source();
    chosen.label = cboMoto.text();
    choose(std::move(chosen));
}

// A choice that cannot be remembered is not taken: the panel stays as it was.
void KeikouPanel::choose(TrendSource chosen) {
    if (chosen == source()) return showSource();
    if (!host_.saved(writeTrendSource(host_.dataDir(), chosen))) return showSource();
    host_.values().set(std::move(chosen));
    showSource();
    DSP_KEIKOU();
}

void KeikouPanel::DSP_KEIKOU() {
    auto log = readLog();
    if (!log) return;  // an unreadable log leaves the panel as it was
    showPeriods(log);
    showSituations(log);
    lblKcal.setText(log->records.empty() ? "" : std::string(kKcalNote));
}

void KeikouPanel::showPeriods(const std::shared_ptr<const core::LogRecords>& log) {
    auto trend = sharedSmoothedTrend(host_.values(), log);
    msgKeikou.layOut(9, kPeriodColumns);
    const TrendSource& s = source();
    const bool noLabel =
        trend->days.empty() && s.basis == TrendBasis::Situation && !log->records.empty();
    lblMotoNone.setText(noLabel ? "「" + s.label + "」の記録がありません。" : "");
    if (noLabel) {
        for (const TrendPeriod& period : kTrendPeriods)
            msgKeikou.addRow({std::string(period.caption), "―", "―", "―", "―", "―"});
        return;
    }
    for (const PeriodRow& row : periodRows(*trend)) msgKeikou.addRow(rowOf(row.caption, row.cells));
}

void KeikouPanel::showSituations(const std::shared_ptr<const core::LogRecords>& log) {
    auto report = host_.values().fromLog<SituationReport>(
        log, [](const auto& records) { return situationReport(records); });
    msgJyoukyouBetsu.layOut(9, kSituationColumns);
    for (const SituationRow& row : report->rows) {
        auto cells = situationCells(row);
        msgJyoukyouBetsu.addRow(std::vector<std::string>(cells.begin(), cells.end()));
    }
    const bool empty = log->records.empty();
    lblHendou.setText(empty ? "" : swingText(report->swing));
    lblYoruAsa.setText(empty ? "" : overnightText(report->swing));
}

}  // namespace analysis
