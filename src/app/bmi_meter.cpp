// The BMI figures of the current weight: the class label and the small bar of
// the main panel, and the meter of the editing panel with its slider.
#include <cmath>

#include "analysis/bmi.h"
#include "app/frm_main.h"
#include "core/numbers.h"

namespace app {

void frmMain::layOutBands() {
    for (int i = 0; i < 5; ++i) {
        Shape1.add(i, form, "Shape1", &fraMain)
            .setGeometry(analysis::kMainBar.lefts[i], analysis::kMainBar.widths[i]);
        Shape2.add(i, form, "Shape2", &Frame1)
            .setGeometry(analysis::kMeterBand.lefts[i], analysis::kMeterBand.widths[i]);
        Shape1(i).setBackColor(analysis::kSegmentColors[i]);
        Shape2(i).setBackColor(analysis::kSegmentColors[i]);
    }
    for (int i : {25, 28, 30}) Label9.add(i, form, "Label9", &Frame1);
    lblHyojun.add(0, form, "lblHyojun", &Frame1);
    lblHyojun.add(1, form, "lblHyojun", &Frame1);
    std::string scale;
    for (int b = 17; b <= 32; ++b) scale += (b > 17 ? "‥" : "") + std::to_string(b);
    Label19.setText(scale);
}

void frmMain::DSP_BMI() {
    if (state.Summary.RecordCount == 0) return;
    if (!hasHeight()) {  // no height, no BMI: show nothing rather than divide by zero
        lblMHyouka.setText("");
        lblMHyouka.setBackColor(std::nullopt);
        Label9(25).setText("");
        return;
    }
    state.CurrentBmi = analysis::bmiOf(state.CurrentWeight, state.Height);
    state.MeterBmi = analysis::clampToMeter(state.CurrentBmi);
    Image1.setLeft(analysis::pointerLeft(analysis::kMainBar, state.MeterBmi));
    Image2.setLeft(analysis::pointerLeft(analysis::kMeterBand, state.MeterBmi));
    state.MeterSetByProgram = true;
    HScroll1.setValue(static_cast<int>(core::roundEven(static_cast<double>(state.MeterBmi) * 10)));
    const auto& cls = analysis::classify(state.CurrentBmi);
    state.BmiClassText = cls.text;
    lblMHyouka.setBackColor(cls.labelColor);
    lblMHyouka.setText(std::string(cls.text));
    Label9(25).setText(core::Format(state.CurrentBmi, "0.0"));
}

void frmMain::DSP_BMI_BASE() {
    Label9(28).setText(core::shortestText(state.Summary.LastWeight));
    Label9(30).setText(hasHeight() ? core::shortestText(state.Height / 100) : "");
}

void frmMain::DSP_BMI_METER() {
    if (state.Summary.RecordCount == 0 || !hasHeight()) return;
    double m = static_cast<double>(state.Height) / 100;
    if (!state.MeterSetByProgram) {
        state.MeterBmi = static_cast<float>(HScroll1.value() / 10.0);
        auto simulated = static_cast<float>(m * m * state.MeterBmi);
        Label9(25).setText(core::Format(state.MeterBmi, "0.0"));
        Label9(28).setText(core::Format(simulated, "0.0"));
    }
    state.MeterBmi = static_cast<float>(HScroll1.value() / 10.0);
    Image2.setLeft(analysis::pointerLeft(analysis::kMeterBand, state.MeterBmi));
    state.MeterSetByProgram = false;
    const auto& cls = analysis::classify(state.MeterBmi);
    state.BmiClassText = cls.text;
    Label9(25).setText(core::Format(state.MeterBmi, "0.0"));
    lblHyouka.setBackColor(cls.labelColor);
    lblHyouka.setText(std::string(cls.text));
    float standard = analysis::standardWeight(state.Height);
    lblHyojun(0).setText(core::Format(standard, "00.0"));
    lblHyojun(1).setText(core::Format(standard, "00.0"));
    lblTai.setText(Label9(28).text());
    double obesity = (core::Val(lblTai.text()) - core::Val(lblHyojun(0).text())) /
                     core::Val(lblHyojun(1).text()) * 100;
    lblHiman.setText(core::Format(obesity, "0.0"));
}

void frmMain::HScroll1_Change() {
    DSP_BMI_METER();
}
void frmMain::HScroll1_Scroll() {
    DSP_BMI_METER();
}

}  // namespace app
