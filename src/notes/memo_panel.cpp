#include "notes/memo_panel.h"

#include <algorithm>
#include <string>

#include "core/codepage.h"
#include "core/memo.h"
#include "core/weight_log.h"

namespace notes {

using ui::Icon;

namespace {

// Grid rows visible at once; a longer list opens scrolled to its end.
constexpr int kVisibleRows = 16;

const ui::Color kUp{255, 192, 192};
const ui::Color kSame{255, 255, 192};
const ui::Color kDown{192, 255, 192};

std::pair<const char*, ui::Color> markCell(Mark mark) {
    switch (mark) {
        case Mark::Up:
            return {" 増", kUp};
        case Mark::Down:
            return {" 減", kDown};
        case Mark::Same:
            break;
    }
    return {" 同", kSame};
}

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
    ChosenRow = row;
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
        auto [mark, color] = markCell(row.DifferenceMark);
        cells.texts = {
            std::to_string(row.Number), record.Date,       record.Situation, std::move(row.Weight),
            std::move(row.Difference),  std::string(mark), record.Diary};
        cells.colors[5] = color;
    });
    if (msgMemoList.rows() > kVisibleRows) msgMemoList.setTopRow(msgMemoList.rows() - 1);
}

void MemoPanel::msgMemoList_Click() {
    const int row = msgMemoList.row();
    if (row < 1) {
        // The header is no weighing: the earlier choice, if any, stays.
        if (ChosenRow > 0) msgMemoList.setCurrent(ChosenRow, 6);
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
    if (ChosenRow < 1) return;
    const std::string& diary = txtMemo.text();
    if (!core::isStorableText(diary)) {
        unstorable(host_.services().dialogs, "一言日記",
                   "「\"」（ダブルクォーテーション）、改行、絵文字などの");
        return;
    }
    if (!host_.saved(core::replaceDiary(host_.dataDir(), ChosenRow - 1, diary))) return;
    msgMemoList.setText(ChosenRow, 6, diary);
}

// ---- correcting a mistaken weighing

void MemoPanel::refuseWeight(WeightRefusal refusal) {
    auto& dialogs = host_.services().dialogs;
    switch (refusal) {
        case WeightRefusal::Empty:
            dialogs.message("体重が入力されていません", "体重未入力", Icon::Exclamation);
            return;
        case WeightRefusal::NotNumber:
            dialogs.message("数値を入力してください", "数値以外入力", Icon::Exclamation);
            return;
        case WeightRefusal::OutOfRange:
            dialogs.message("体重は 10000Kg より小さい数値で入力してください", "体重範囲外",
                            Icon::Exclamation);
            return;
    }
}

void MemoPanel::refreshAfterCorrection() {
    const int top = msgMemoList.topRow();
    INIT_MEMO_GRID();
    DSP_MEMO_LIST();
    msgMemoList.setTopRow(std::min(top, std::max(1, msgMemoList.rows() - 1)));
    host_.logWritten();
}

void MemoPanel::cmdTaiSyusei_Click() {
    if (ChosenRow < 1) return;
    auto typed = host_.services().dialogs.input("正しい体重を入力してください", "体重修正",
                                                msgMemoList.text(ChosenRow, 3));
    if (!typed) return;
    auto weight = parseWeight(*typed);
    if (auto* refusal = std::get_if<WeightRefusal>(&weight)) {
        refuseWeight(*refusal);
        return;
    }
    const int32_t row = ChosenRow;
    if (!host_.saved(core::replaceWeight(host_.dataDir(), row - 1, std::get<float>(weight))))
        return;
    refreshAfterCorrection();
    if (row < msgMemoList.rows()) {
        msgMemoList.setCurrent(row, 6);
        setChosen(row);
    } else {
        setChosen(0);
    }
}

void MemoPanel::cmdKirokuDel_Click() {
    if (ChosenRow < 1) return;
    auto answer =
        host_.services().dialogs.message("この記録を削除します。よろしいですか？", "クリア確認",
                                         Icon::Exclamation, ui::Buttons::OKCancel);
    if (answer != ui::Answer::OK) return;
    if (!host_.saved(core::removeRecord(host_.dataDir(), ChosenRow - 1))) return;
    refreshAfterCorrection();
    setChosen(0);
    txtMemo.setText("");
}

// ---- the notice memo

void MemoPanel::READ_KIZUKI() {
    core::MemoText memo = core::readMemo(host_.dataDir());
    host_.readable(memo.status);
    txtKizuki.setText(std::move(memo.text));
}

void MemoPanel::cmdKizukiHozon_Click() {
    const std::string& memo = txtKizuki.text();
    if (!core::encodeCp932(memo)) {
        unstorable(host_.services().dialogs, "気付きメモ", "絵文字などの");
        return;
    }
    host_.saved(core::writeMemo(host_.dataDir(), memo));
}

}  // namespace notes
