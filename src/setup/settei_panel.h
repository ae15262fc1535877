// The editing panel: the scale step of the weight entry, the automatic time
// of the diary, the situation list editor, the profile, the new start, the
// CSV export and import of the weighings, and the BMI meter.
#pragma once

#include <cstdint>
#include <string>

#include "host/panel.h"
#include "setup/message.h"
#include "setup/new_start.h"

namespace setup {

class SetteiPanel : public host::Panel {
  public:
    static const host::PanelInfo kInfo;
    explicit SetteiPanel(host::PanelHost& host);

    ui::Frame& fraSettei = frame;
    // ---- scale step and automatic time
    ui::Frame fraKizami{form(), "fraKizami", &fraSettei, "体重入力 刻み指定　（体重計の刻み）"};
    ui::ControlArray<ui::OptionButton> optKizami;
    ui::TextBox txtKizami{form(), "txtKizami", &fraKizami};
    ui::CheckBox chkJikan{form(), "chkJikan", &fraSettei, "一言日記に自動的に時間を記録"};
    // ---- the situation list
    ui::Frame Frame12{form(), "Frame12", &fraSettei, "状況リスト編集"};
    ui::ListBox lstKoumoku{form(), "lstKoumoku", &Frame12};
    ui::Button cmdNew2{form(), "cmdNew2", &Frame12, "追加"};
    ui::Button cmdDel{form(), "cmdDel", &Frame12, "削除"};
    ui::Button cmdDel2{form(), "cmdDel2", &Frame12, "全削除"};
    ui::Button cmdSort{form(), "cmdSort", &Frame12, "並び替え"};
    ui::Label lblChgYaji{form(), "lblChgYaji", &Frame12, "↓"};
    ui::TextBox txtChg{form(), "txtChg", &Frame12};
    ui::Button cmdChg{form(), "cmdChg", &Frame12, "状況コメントを入れ替える"};
    // ---- the profile
    ui::Frame Frame9{form(), "Frame9", &fraSettei, "プライベートデータ"};
    ui::TextBox txtPriData{form(), "txtPriData", &Frame9};
    ui::TextBox txtSincyou{form(), "txtSincyou", &Frame9};
    ui::TextBox txtMokuTai{form(), "txtMokuTai", &Frame9};
    ui::Button cmdPHozon1{form(), "cmdPHozon1", &Frame9, "データ変更"};
    // ---- the new start
    ui::Button cmdNew1{form(), "cmdNew1", &fraSettei, "新規にスタートするとき"};
    ui::Frame fraNew{form(), "fraNew", &fraSettei, "新規スタート登録枠"};
    ui::TextBox txtPriData1{form(), "txtPriData1", &fraNew};
    ui::TextBox txtSincyou1{form(), "txtSincyou1", &fraNew};
    ui::TextBox txtMokuTai1{form(), "txtMokuTai1", &fraNew};
    ui::TextBox txtNowTai{form(), "txtNowTai", &fraNew};
    ui::TextBox txtNowJyou{form(), "txtNowJyou", &fraNew};
    ui::Button cmdStHozon{form(), "cmdStHozon", &fraNew, "新規登録"};
    ui::Button cmdYame{form(), "cmdYame", &fraNew, "キャンセル"};
    // ---- the weighings out to a CSV file and in from one
    ui::Frame fraCsv{form(), "fraCsv", &fraSettei, "データの書き出し・取り込み"};
    ui::Button cmdCsvOut{form(), "cmdCsvOut", &fraCsv, "CSVに書き出す"};
    ui::Button cmdCsvIn{form(), "cmdCsvIn", &fraCsv, "CSVから取り込む"};
    // ---- the BMI meter
    ui::Frame Frame1{form(), "Frame1", &fraSettei,
                     "　ＢＭＩメーター (Body Mass Index)　と　肥満度　"};
    ui::ControlArray<ui::Shape> Shape2;
    ui::Picture Image2{form(), "Image2", &Frame1};
    ui::Slider HScroll1{form(), "HScroll1", &Frame1, 170, 320};
    ui::Label Label19{form(), "Label19", &Frame1};
    ui::ControlArray<ui::Label> Label9;  // (25) BMI, (28) weight, (30) height
    ui::Label lblHiman{form(), "lblHiman", &Frame1};
    ui::Label lblTai{form(), "lblTai", &Frame1};
    ui::ControlArray<ui::Label> lblHyojun;
    ui::Label lblHyouka{form(), "lblHyouka", &Frame1};

    // Start-up: the automatic time; then the BMI meter and the scale step.
    void load() override;
    void start() override;
    void fill() override;
    void situationsChanged(const std::vector<std::string>& labels) override;
    void situationAdded(const std::string& label) override { lstKoumoku.addItem(label); }
    // The meter set from the current weighing.
    void currentWeighingChanged() override;
    // A first run opens the panel with the new start.
    void firstRun() override;

    // ---- the situation list editor (situation_editor.cpp)
    void cmdNew2_Click();
    void cmdDel_Click();
    void cmdDel2_Click();
    void lstKoumoku_Click();
    void lstKoumoku_MouseDown();
    void lstKoumoku_MouseUp();
    void cmdSort_Click();
    void cmdChg_Click();
    // Whether a dragged order waits for 並び替え.
    bool sortPending() const { return cmdSort.backColor().has_value(); }

    // ---- the profile and the new start (new_start_form.cpp)
    void cmdPHozon1_Click();
    void cmdNew1_Click();
    void cmdYame_Click();
    void cmdStHozon_Click();
    void txtPriData1_KeyPress(ui::KeyPress& key);
    void txtSincyou1_KeyPress(ui::KeyPress& key);
    void txtMokuTai1_KeyPress(ui::KeyPress& key);
    void txtNowTai_KeyPress(ui::KeyPress& key);
    void txtNowJyou_KeyPress(ui::KeyPress& key);

    // ---- the CSV export and import (csv_transfer.cpp)
    void cmdCsvOut_Click();
    void cmdCsvIn_Click();

    void READ_JIKAN();
    void chkJikan_Click();
    void READ_KIZAMI();
    void optKizami_Click(int index);
    void txtKizami_KeyPress(ui::KeyPress& key);

    void DSP_BMI_BASE();
    void DSP_BMI_METER();
    void HScroll1_Change();
    void HScroll1_Scroll();

  private:
    ui::Form& form() { return host_.windowForm(); }
    void layOutMeter();
    void wireEvents();
    void wireSituationEditor();
    void wireNewStart();
    void wireCsvTransfer();
    void addImportedSituations(const std::vector<core::WeightRecord>& records);
    ui::Answer show(const Message& message);
    ui::TextBox& boxOf(FormBox box, bool newStart);

    // The item under the mouse when the button went down in lstKoumoku, and
    // whether that press started a drag.
    std::string DragText;
    int16_t DragIndex = -1;
    bool dragging_ = false;

    // The BMI the meter shows, and whether the program (not the user) last
    // moved the slider.
    float MeterBmi = 17;
    bool MeterSetByProgram = false;
};

}  // namespace setup
