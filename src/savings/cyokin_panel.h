// The savings panel: day by day what the gains cost and what has been saved
// since the first day, as a grid and a chart with its export, and the editor
// of the dated conversion table that sets the price of a kilogram.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "host/panel.h"
#include "savings/history.h"
#include "savings/kansan_editor.h"

namespace savings {

// The fixed instructions of the editor, one line each; an empty line parts
// the groups.
inline constexpr std::string_view kKansanInstructions[] = {
    "＜換算ルール＞",
    "例えば　換算値を　１００とした場合",
    "０．２Kg体重が増加したら…",
    "０．２Kg　×　１００　＝　２０円です。",
    "",
    "＜追加＞",
    "条件を追加したい場合は",
    "以下に日付と換算値を記入して",
    "追加ボタンを押します。",
    "",
    "＜変更＞",
    "条件を変更したい場合は対象を",
    "クリックして以下を変更して",
    "変更ボタンを押します。",
    "",
    "＜削除＞",
    "条件を削除したい場合は対象を",
    "クリックして削除ボタンを押します。",
};

class CyokinPanel : public host::Panel {
  public:
    static const host::PanelInfo kInfo;
    explicit CyokinPanel(host::PanelHost& host);

    ui::Frame& fraCyokin = frame;
    // ---- the savings history
    ui::Grid msgCyokin2{form(), "msgCyokin2", &fraCyokin, 4};
    ui::Chart mcrSub2{form(), "mcrSub2", &fraCyokin};
    ui::Button cmdCyokinHozon{form(), "cmdCyokinHozon", &fraCyokin};
    ui::Button cmdKansan{form(), "cmdKansan", &fraCyokin};
    // ---- the conversion editor
    ui::Frame fraKansan{form(), "fraKansan", &fraCyokin, "換算値編集"};
    ui::Grid msgCyokin{form(), "msgCyokin", &fraKansan, 2};
    ui::TextBox txtKanbi{form(), "txtKanbi", &fraKansan};
    ui::TextBox txtKansan{form(), "txtKansan", &fraKansan};
    ui::Button cmdKanNew{form(), "cmdKanNew", &fraKansan, "追加"};
    ui::Button cmdKanHen{form(), "cmdKanHen", &fraKansan, "変更"};
    ui::Button cmdKanDel{form(), "cmdKanDel", &fraKansan, "削除"};
    ui::Button cmdModori{form(), "cmdModori", &fraKansan, "戻る"};

    // The entry row of msgCyokin last clicked, 0 while none is chosen.
    int16_t SelectedKansanRow = 0;

    // What cmdCyokin_Click builds before the panel is shown: the editor
    // closed, both grids and the chart filled, 変更 and 削除 off.
    void fill() override;
    void logChanged(bool) override {
        if (fraCyokin.visible()) DSP_CYOKIN();
    }
    // The conversion editor, as a picture of every panel shows it too.
    std::vector<SubView> subViews() override;
    void INIT_CYOKIN_GRIDS();
    void DSP_CYOKIN();

    void cmdCyokinHozon_Click();
    void cmdKansan_Click();
    void cmdModori_Click();
    void msgCyokin_Click();
    void cmdKanNew_Click();
    void cmdKanHen_Click();
    void cmdKanDel_Click();

  private:
    ui::Form& form() { return host_.windowForm(); }
    const ConversionTable& table() { return host_.values().get<ConversionTable>(); }
    void wireEvents();
    void showTable();
    void showHistory();
    void plotHistory();
    void refuse(const Refusal& refusal);
    // The date box reformatted and both boxes checked; nullopt after a refusal.
    std::optional<ConversionEntry> checkedInput();
    bool confirmed(const std::string& question);
    // Writes the edited table and shows the file again; false when the write
    // failed, the file and the screen then staying as they were.
    bool store(const ConversionTable& table);
    void forgetSelection();

    // The history the grid and the chart show, written by the export; the
    // grid's rows are made from it as they are shown.
    std::shared_ptr<const History> shown_ = std::make_shared<const History>();
};

}  // namespace savings
