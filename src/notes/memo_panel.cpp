#include "notes/memo_panel.h"

#include <algorithm>
#include <string>

#include "core/codepage.h"
#include "core/journal.h"
#include "core/memo.h"
#include "core/numbers.h"
#include "core/typed_weight.h"
#include "core/weight_log.h"

namespace notes {

using ui::Icon;

namespace {

// Grid rows visible at once; a longer list opens scrolled to its end.
constexpr int kVisibleRows = 16;

// `what` names the box; `which` says which characters it cannot take.
void unstorable(ui::Dialogs& dialogs, std::string_view what, std::string_view which) {
    dialogs.message(std::string(what) + "に使えない文字が含まれています。\r\n\r\n" +
                        std::string(which) + "シフトJISで書けない文字は使えません。",
                    "使用できない文字", Icon::Exclamation);
}

// What the help tour says as the panel opens.
constexpr std::string_view kHelpText =
    "一回一回の測定ごとにちょっとしたコメントを残すことができます。\r\n"
    "\r\n"
    "すごく増えちゃった日は言い訳を書いて懺悔？し、スッキリと明日を迎えたり…\r\n"
    "すごく減った時は褒美の言葉を自分にプレゼントしたり。いろいろ使えると思います。\r\n"
    "面倒でなければちょっとした食事日記にも使えますね。\r\n"
    "\r\n"
    "気付きメモはよりフリーにいろんなことが書き込めます。\r\n"
    "ご自身のダイエットの極意を書き記したり、ダイエット中に気付いたことを書き留めてもいいと思います"
    "。\r\n"
    "\r\n";
}  // namespace

const host::PanelInfo MemoPanel::kInfo{
    .frame = "fraMemo",
    .caption = "一言日記",
    .button = {"cmdMemo", "一言日記", "ちょっとした日記を表示します", "memo", '8'},
    .helpPage = "memo",
    .helpText = kHelpText};

MemoPanel::MemoPanel(host::PanelHost& host) : Panel(host, kInfo) {
    // Alt and these letters press the buttons.
    ui::setAccessKeys(
        {{&cmdMemoHozon, 'S'}, {&cmdTaiSyusei, 'W'}, {&cmdKirokuDel, 'D'}, {&cmdKizukiHozon, 'M'}});
    msgMemoList.Click = [this] { msgMemoList_Click(); };
    txtMemo.KeyPressed = [this](ui::KeyPress& k) { txtMemo_KeyPress(k); };
    cmdMemoHozon.Click = [this] { cmdMemoHozon_Click(); };
    cmdTaiSyusei.Click = [this] { cmdTaiSyusei_Click(); };
    cmdKirokuDel.Click = [this] { cmdKirokuDel_Click(); };
    cmdKizukiHozon.Click = [this] { cmdKizukiHozon_Click(); };
    cmdTaiSyusei.setToolTip("選んだ行の体重を入力し直します");
    cmdKirokuDel.setToolTip("選んだ行の記録を削除します");
}

void MemoPanel::fill() {
    INIT_MEMO_GRID();
    DSP_MEMO_LIST();
    setChosen(0);
}

void MemoPanel::setChosen(int32_t row) {
    chosenRow = row;
    msgMemoList.setSelectedRow(row);
    cmdMemoHozon.setEnabled(row > 0);
    cmdTaiSyusei.setEnabled(row > 0);
    cmdKirokuDel.setEnabled(row > 0);
}

void MemoPanel::INIT_MEMO_GRID() {
    using ui::Align;
    static constexpr ui::GridColumn kColumns[] = {
        {"回数", 560, Align::Right},
        {"日付", 1100, Align::Center},
        {"行動", 1680, Align::Left},
        {"体重", 550, Align::Right},
        {"前差", 550, Align::Right},
        {"差", 320, Align::Center},
        {"一言日記（言い訳など）", 5930, Align::Left},
    };
    msgMemoList.layOut(9, kColumns);
}

void MemoPanel::DSP_MEMO_LIST() {
    auto log = readLog();
    if (!log) return;
    // Each row is made when the grid first shows it; the rows keep the log.
    const auto count = static_cast<int>(log->records.size());
    msgMemoList.setRowSource(count, [log](int i, ui::Grid::RowCells& cells) {
        const core::WeightRecord& record = log->records[static_cast<size_t>(i)];
        DiaryRow row = diaryRow(log->records, static_cast<size_t>(i));
        cells.texts = {std::to_string(row.number),
                       record.Date,
                       record.Situation,
                       std::move(row.Weight),
                       std::move(row.difference),
                       std::string(core::changeWord(row.differenceMark)),
                       record.Diary};
        cells.colors[5] = ui::changeColor(row.differenceMark);
    });
    if (msgMemoList.rows() > kVisibleRows) msgMemoList.setTopRow(msgMemoList.rows() - 1);
}

void MemoPanel::msgMemoList_Click() {
    const int row = msgMemoList.row();
    if (row < 1) {
        // The header is no weighing: the earlier choice, if any, stays.
        if (chosenRow > 0) msgMemoList.setCurrent(chosenRow, 6);
        return;
    }
    msgMemoList.setCurrent(row, 6);
    txtMemo.setText(msgMemoList.text(row, 6));
    setChosen(row);
    txtMemo.setFocus();
}

void MemoPanel::txtMemo_KeyPress(ui::KeyPress& key) {
    if (key.enter) cmdMemoHozon_Click();
}

void MemoPanel::cmdMemoHozon_Click() {
    if (chosenRow < 1) return;
    const std::string& diary = txtMemo.text();
    if (!core::isStorableText(diary)) {
        unstorable(host_.services().dialogs, "一言日記",
                   "「\"」（ダブルクォーテーション）、改行、絵文字などの");
        return;
    }
    core::JournalAct act(host_.dataDir(), "一言日記の保存（" + recordLine(chosenRow) + "）");
    const int32_t row = chosenRow;
    if (!rewritten(core::replaceDiary(host_.dataDir(), shownRecord(row), diary))) return;
    // Every panel hears of the new log; this list shows it with the row still
    // chosen.
    host_.logWritten();
    setChosen(row);
}

// ---- correcting a mistaken weighing

core::ShownRecord MemoPanel::shownRecord(int32_t row) const {
    float weight = 0;
    // The shortest text of a single reads back as that very single.
    core::readWholeFloat(msgMemoList.text(row, 3), weight);
    return {row - 1, msgMemoList.text(row, 1), msgMemoList.text(row, 2), weight,
            msgMemoList.text(row, 6)};
}

std::string MemoPanel::recordLine(int32_t row) const {
    core::ShownRecord shown = shownRecord(row);
    return core::recordCaption(shown.Date, shown.Situation, shown.Weight);
}

bool MemoPanel::rewritten(const core::Status& status) {
    if (host_.saved(status)) return true;
    // The log is not what the list shows: every panel shows it afresh.
    if (status.changedUnderneath()) host_.logWritten();
    return false;
}

void MemoPanel::logChanged(bool outside) {
    if (!fraMemo.visible()) return;
    const int top = msgMemoList.topRow();
    INIT_MEMO_GRID();
    DSP_MEMO_LIST();
    msgMemoList.setTopRow(std::min(top, std::max(1, msgMemoList.rows() - 1)));
    // The row chosen may now hold another weighing: the user chooses again,
    // the typed diary kept in its box.
    if (outside && chosenRow > 0)
        host_.services().dialogs.message(
            "「データ.txt」がほかのプログラムなどで書き換えられたため、一覧を表示し直しました。"
            "\r\n選んでいた行はもう一度選んでください。",
            "データ変更", Icon::Information);
    setChosen(0);
}

void MemoPanel::cmdTaiSyusei_Click() {
    if (chosenRow < 1) return;
    auto typed = host_.services().dialogs.input(
        recordLine(chosenRow) + "\r\n\r\n正しい体重を入力してください", "体重修正",
        msgMemoList.text(chosenRow, 3));
    if (!typed) return;
    auto weight = core::parseTypedWeight(*typed);
    if (auto* refusal = std::get_if<core::WeightRefusal>(&weight)) {
        host_.services().dialogs.message(refusal->text, refusal->title, Icon::Exclamation);
        return;
    }
    const int32_t row = chosenRow;
    const float corrected = std::get<float>(weight);
    if (!host_.backUp().goOn) return;
    core::JournalAct act(host_.dataDir(),
                         "体重修正（" + recordLine(row) + " → " +
                             core::Format(static_cast<double>(corrected), "0.0Kg") + "）");
    if (!rewritten(core::replaceWeight(host_.dataDir(), shownRecord(row), corrected))) return;
    host_.logWritten();
    if (row < msgMemoList.rows()) {
        msgMemoList.setCurrent(row, 6);
        setChosen(row);
    } else {
        setChosen(0);
    }
}

void MemoPanel::cmdKirokuDel_Click() {
    if (chosenRow < 1) return;
    auto answer = host_.services().dialogs.message(
        recordLine(chosenRow) + "\r\n\r\nこの記録を削除します。よろしいですか？", "クリア確認",
        Icon::Exclamation, ui::Buttons::OKCancel);
    if (answer != ui::Answer::OK) return;
    if (!host_.backUp().goOn) return;
    core::JournalAct act(host_.dataDir(), "記録削除（" + recordLine(chosenRow) + "）");
    if (!rewritten(core::removeRecord(host_.dataDir(), shownRecord(chosenRow)))) return;
    host_.logWritten();
    setChosen(0);
    txtMemo.setText("");
}

// ---- the notice memo

void MemoPanel::fileWritten(std::string_view name) {
    if (name == core::kMemoFile) READ_KIZUKI();
}

void MemoPanel::READ_KIZUKI() {
    core::MemoText memo = core::readMemo(host_.dataDir());
    host_.readable(memo.status);
    txtKizuki.setText(memo.text);
    shownMemo_ = std::move(memo.text);
}

// The memo is written only over the text it was read as: one that another
// window or program changed since is not overwritten, and the user sees it.
void MemoPanel::cmdKizukiHozon_Click() {
    const std::string& memo = txtKizuki.text();
    if (!core::encodeCp932(memo)) {
        unstorable(host_.services().dialogs, "気付きメモ", "絵文字などの");
        return;
    }
    core::JournalAct act(host_.dataDir(), "気付きメモの保存");
    core::Status status = core::writeMemo(host_.dataDir(), memo, shownMemo_);
    if (status) {
        shownMemo_ = memo;
        return;
    }
    if (!status.changedUnderneath()) {
        host_.saved(status);
        return;
    }
    core::MemoText now = core::readMemo(host_.dataDir());
    host_.services().dialogs.message(
        "「気付きメモ.txt」がほかで書き換えられていたため、保存しませんでした。\r\n"
        "入力中のメモはそのまま残っています。もう一度保存すると、いまのファイルの内容の代わりに"
        "保存されます。\r\n\r\nいまのファイルの内容:\r\n" +
            now.text,
        "保存エラー", Icon::Exclamation);
    shownMemo_ = std::move(now.text);
}

}  // namespace notes
