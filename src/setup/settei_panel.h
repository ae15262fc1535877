// The editing panel: the scale step of the weight entry, the automatic time
// of the diary, the situation list and the BMI meter.
#pragma once

#include "host/panel.h"

namespace setup {

class SetteiPanel : public host::Panel {
  public:
    SetteiPanel(host::PanelHost& host, const host::PanelInfo& info);

    ui::Frame& fraSettei = frame;
    // ---- scale step and automatic time
    ui::Frame fraKizami{form(), "fraKizami", &fraSettei, "体重入力 刻み指定　（体重計の刻み）"};
    ui::ControlArray<ui::OptionButton> optKizami;
    ui::TextBox txtKizami{form(), "txtKizami", &fraKizami};
    ui::CheckBox chkJikan{form(), "chkJikan", &fraSettei, "一言日記に自動的に時間を記録"};
    // ---- the situation list
    ui::Frame Frame12{form(), "Frame12", &fraSettei, "状況リスト編集"};
    ui::ListBox lstKoumoku{form(), "lstKoumoku", &Frame12};
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

    void showSituations(const std::vector<std::string>& labels) override;

    void READ_JIKAN();
    void chkJikan_Click();
    void READ_KIZAMI();
    void optKizami_Click(int index);
    void txtKizami_KeyPress(ui::KeyPress& key);

    // The meter set from the current weighing, after the window's DSP_BMI.
    void showBmi();
    void DSP_BMI_BASE();
    void DSP_BMI_METER();
    void HScroll1_Change();
    void HScroll1_Scroll();

  private:
    ui::Form& form() { return host_.windowForm(); }
    void layOutMeter();
    void wireEvents();

    // The BMI the meter shows, and whether the program (not the user) last
    // moved the slider.
    float MeterBmi = 17;
    bool MeterSetByProgram = false;
};

}  // namespace setup
