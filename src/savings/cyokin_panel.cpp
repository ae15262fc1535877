#include "savings/cyokin_panel.h"

#include "core/journal.h"
#include "core/weight_log.h"

namespace savings {
namespace {

using ui::Align;

constexpr ui::GridColumn kTableColumns[] = {
    {"日付", 1300, Align::Center},
    {"換算値", 880, Align::Right},
};

constexpr ui::GridColumn kHistoryColumns[] = {
    {"数", 500, Align::Right},
    {"日付", 900, Align::Center},
    {"金額", 580, Align::Right},
    {"累計", 660, Align::Right},
};

// What the help tour says as the panel opens.
constexpr std::string_view kHelpText =
    "貯金の推移をリストとグラフに表示します。\r\n"
    "\r\n"
    "表示中の貯金推移データはテキストデータに保存することができます。\r\n"
    "\r\n"
    "増加体重に対する「罰金」の換算値を変更したり追加したりできます。\r\n";
}  // namespace

const host::PanelInfo CyokinPanel::kInfo{
    .frame = "fraCyokin",
    .caption = "貯金推移",
    .button = {"cmdCyokin", "貯金推移", "貯金の推移を表示します", "cyokin", '7'},
    .helpPage = "cyokin",
    .helpText = kHelpText};

CyokinPanel::CyokinPanel(host::PanelHost& host) : Panel(host, kInfo) {
    // Alt and these letters press the buttons.
    ui::setAccessKeys({{&cmdCyokinHozon, 'S'},
                       {&cmdKansan, 'K'},
                       {&cmdKanNew, 'N'},
                       {&cmdKanHen, 'C'},
                       {&cmdKanDel, 'D'},
                       {&cmdModori, 'B'}});
    cmdKansan.setToolTip("換算データを編集");
    cmdCyokinHozon.setToolTip("貯金データを保存");
    fraKansan.setVisible(false);
    wireEvents();
}

void CyokinPanel::wireEvents() {
    cmdCyokinHozon.Click = [this] { cmdCyokinHozon_Click(); };
    cmdKansan.Click = [this] { cmdKansan_Click(); };
    cmdModori.Click = [this] { cmdModori_Click(); };
    msgCyokin.Click = [this] { msgCyokin_Click(); };
    cmdKanNew.Click = [this] { cmdKanNew_Click(); };
    cmdKanHen.Click = [this] { cmdKanHen_Click(); };
    cmdKanDel.Click = [this] { cmdKanDel_Click(); };
}

void CyokinPanel::fill() {
    fraKansan.setVisible(false);
    INIT_CYOKIN_GRIDS();
    DSP_CYOKIN();
    forgetSelection();
}

std::vector<host::Panel::SubView> CyokinPanel::subViews() {
    return {{std::string(fraKansan.name()), [this] { cmdKansan.click(); },
             [this] { cmdModori.click(); }}};
}

void CyokinPanel::INIT_CYOKIN_GRIDS() {
    msgCyokin.layOut(11, kTableColumns);
    msgCyokin2.layOut(9, kHistoryColumns);
}

void CyokinPanel::DSP_CYOKIN() {
    showTable();
    // Down to one point without a value: nothing is plotted until the
    // history is there.
    mcrSub2.setSeriesCount(2);
    mcrSub2.setRowCount(0);
    mcrSub2.setRowCount(1);
    auto log = readLog();
    // A history that could not be read is not exported over an earlier one.
    cmdCyokinHozon.setEnabled(log != nullptr);
    if (!log) {
        shown_ = std::make_shared<const History>();
        return;
    }
    shown_ = std::make_shared<const History>(history(log->records, table()));
    showHistory();
    plotHistory();
}

void CyokinPanel::showTable() {
    const auto& entries = table().entries;
    msgCyokin.setRows(static_cast<int>(entries.size()) + 1);
    int row = 1;
    for (const ConversionEntry& entry : entries) {
        msgCyokin.setText(row, 0, entry.FromDate);
        msgCyokin.setText(row, 1, std::to_string(entry.Rate));
        ++row;
    }
}

// Each row is made when the grid first shows it.
void CyokinPanel::showHistory() {
    std::shared_ptr<const History> shown = shown_;
    msgCyokin2.setRowSource(
        static_cast<int>(shown->rows.size()), [shown](int i, ui::Grid::RowCells& cells) {
            const HistoryRow& day = shown->rows[static_cast<size_t>(i)];
            cells.texts = {std::to_string(day.number), day.Date, std::to_string(day.amount),
                           std::to_string(day.total)};
        });
}

void CyokinPanel::plotHistory() {
    HistoryChart chart = historyChart(*shown_);
    mcrSub2.setRowCount(static_cast<int>(chart.total.size()));
    mcrSub2.setSeries(1, std::move(chart.total));
    mcrSub2.setSeries(2, std::move(chart.amount));
}

void CyokinPanel::cmdCyokinHozon_Click() {
    if (!host_.saved(writeHistory(host_.dataDir(), *shown_))) return;
    host_.services().dialogs.message(kHistorySavedText, kHistorySavedTitle, ui::Icon::Information);
}

// ---- the conversion editor

void CyokinPanel::cmdKansan_Click() {
    fraKansan.setVisible(true);
}

void CyokinPanel::cmdModori_Click() {
    fraKansan.setVisible(false);
}

void CyokinPanel::msgCyokin_Click() {
    int row = msgCyokin.row();
    // The header names the columns: a click there chooses no entry.
    if (row < 1 || row >= msgCyokin.rows()) {
        forgetSelection();
        return;
    }
    txtKanbi.setText(msgCyokin.text(row, 0));
    txtKansan.setText(msgCyokin.text(row, 1));
    SelectedKansanRow = static_cast<int16_t>(row);
    cmdKanHen.setEnabled(true);
    cmdKanDel.setEnabled(true);
}

void CyokinPanel::forgetSelection() {
    SelectedKansanRow = 0;
    cmdKanHen.setEnabled(false);
    cmdKanDel.setEnabled(false);
}

void CyokinPanel::refuse(const Refusal& refusal) {
    host_.services().dialogs.message(refusal.text, refusal.title, ui::Icon::Exclamation);
}

std::optional<ConversionEntry> CyokinPanel::checkedInput() {
    KansanInput input = checkKansanInput(txtKanbi.text(), txtKansan.text());
    if (auto date = kansanDate(txtKanbi.text())) txtKanbi.setText(*date);
    if (!input.entry) refuse(input.refusal);
    return input.entry;
}

bool CyokinPanel::confirmed(const std::string& question) {
    return host_.services().dialogs.message(question, kConfirmTitle, ui::Icon::Exclamation,
                                            ui::Buttons::OKCancel) == ui::Answer::OK;
}

bool CyokinPanel::store(const ConversionTable& table) {
    if (!host_.backUp().goOn) return false;
    core::JournalAct act(host_.dataDir(), "換算表の保存");
    if (!host_.saved(writeKansan(host_.dataDir(), table))) return false;
    host_.values().set(READ_KANSAN(host_.dataDir()));
    INIT_CYOKIN_GRIDS();
    DSP_CYOKIN();
    return true;
}

void CyokinPanel::cmdKanNew_Click() {
    auto entry = checkedInput();
    if (!entry) return;
    KansanEdit edit = addKansan(table(), *entry);
    if (!edit.table) {
        refuse(edit.refusal);
        return;
    }
    if (!confirmed(addQuestion(txtKanbi.text(), txtKansan.text()))) return;
    if (!store(*edit.table)) return;
    // The entry chosen before stays chosen: the new one went to the end.
    if (SelectedKansanRow > 0) msgCyokin.setCurrent(SelectedKansanRow, 0);
}

void CyokinPanel::cmdKanHen_Click() {
    auto entry = checkedInput();
    if (!entry) return;
    KansanEdit edit = changeKansan(table(), SelectedKansanRow, *entry);
    if (!edit.table) {
        refuse(edit.refusal);
        return;
    }
    int row = SelectedKansanRow;
    if (!confirmed(changeQuestion(msgCyokin.text(row, 0), msgCyokin.text(row, 1), txtKanbi.text(),
                                  txtKansan.text())))
        return;
    if (store(*edit.table)) forgetSelection();
}

void CyokinPanel::cmdKanDel_Click() {
    KansanEdit edit = deleteKansan(table(), SelectedKansanRow);
    if (!edit.table) {
        refuse(edit.refusal);
        return;
    }
    int row = SelectedKansanRow;
    if (!confirmed(deleteQuestion(msgCyokin.text(row, 0), msgCyokin.text(row, 1)))) return;
    if (store(*edit.table)) forgetSelection();
}

}  // namespace savings
