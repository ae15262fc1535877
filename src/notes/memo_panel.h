// The notes panel: the one-line diary of every weighing, with the correction
// of a mistaken weighing, and the free notice memo beside it.
#pragma once

#include <cstdint>

#include "host/panel.h"
#include "notes/diary_list.h"

namespace notes {

class MemoPanel : public host::Panel {
  public:
    static const host::PanelInfo kInfo;
    explicit MemoPanel(host::PanelHost& host);

    // Start-up: the notice memo.
    void start() override { READ_KIZUKI(); }
    void fileWritten(std::string_view name) override;
    void fill() override;
    // On view, the list is read again at the same scroll position, nothing
    // chosen.
    void logChanged(bool outside) override;

    ui::Frame& fraMemo = frame;
    ui::Grid msgMemoList{host_.windowForm(), "msgMemoList", &fraMemo, 7};
    ui::Label lblMemo{host_.windowForm(), "lblMemo", &fraMemo, "一言入力欄 →"};
    ui::TextBox txtMemo{host_.windowForm(), "txtMemo", &fraMemo};
    ui::Button cmdMemoHozon{host_.windowForm(), "cmdMemoHozon", &fraMemo, "一言日記保存"};
    ui::Label lblSyusei{host_.windowForm(), "lblSyusei", &fraMemo,
                        "選んだ行の体重を直すときは「体重修正」、"
                        "記録そのものを消すときは「記録削除」を押します。"};
    ui::Button cmdTaiSyusei{host_.windowForm(), "cmdTaiSyusei", &fraMemo, "体重修正"};
    ui::Button cmdKirokuDel{host_.windowForm(), "cmdKirokuDel", &fraMemo, "記録削除"};
    ui::Label lblKizuki{host_.windowForm(), "lblKizuki", &fraMemo, "気付きメモ"};
    ui::TextBox txtKizuki{host_.windowForm(), "txtKizuki", &fraMemo};
    ui::Button cmdKizukiHozon{host_.windowForm(), "cmdKizukiHozon", &fraMemo, "気付きメモ保存"};

    // The grid row last clicked since the panel opened; 0 while none is.
    int32_t chosenRow = 0;

    void INIT_MEMO_GRID();
    void DSP_MEMO_LIST();
    void READ_KIZUKI();
    void msgMemoList_Click();
    void txtMemo_KeyPress(ui::KeyPress& key);
    void cmdMemoHozon_Click();
    void cmdTaiSyusei_Click();
    void cmdKirokuDel_Click();
    void cmdKizukiHozon_Click();

  private:
    void setChosen(int32_t row);
    // The record of a row as the list shows it, which a rewrite checks the
    // log still holds; and the line that names it in the questions.
    core::ShownRecord shownRecord(int32_t row) const;
    std::string recordLine(int32_t row) const;
    // Whether a rewrite of the chosen record was written; a log that changed
    // underneath is shown afresh.
    bool rewritten(const core::Status& status);

    // The notice memo as last read or saved: a save writes over that alone.
    std::string shownMemo_;
};

}  // namespace notes
