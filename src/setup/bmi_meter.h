// The BMI meter of the editing panel (Frame1): the class of the current
// weight, or of any BMI the user sets with the slider, with the standard
// weight and the obesity percentage that go with it.
#pragma once

#include "host/panel_part.h"

namespace setup {

class BmiMeter : public host::PanelPart {
  public:
    BmiMeter(host::PanelHost& host, ui::Frame& parent);

    ui::Frame Frame1{form(), "Frame1", &parent_,
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

    // Makes the class bands, the value labels of the formulas and the scale
    // under the band. The panel calls it once, after the controls it makes
    // itself, which the form lists before these.
    void layOut();

    // Start-up: the weight of the formula empty; then the meter drawn.
    void load() { lblTai.setText(""); }
    void start();
    // The meter set from the current weighing.
    void currentWeighingChanged();

    void DSP_BMI_BASE();
    void DSP_BMI_METER();
    void HScroll1_Change();
    void HScroll1_Scroll();

  private:
    // The BMI the meter shows, and whether the program (not the user) last
    // moved the slider.
    float MeterBmi = 17;
    bool MeterSetByProgram = false;
};

}  // namespace setup
