#include "setup/bmi_meter.h"

#include "analysis/bmi.h"
#include "core/numbers.h"

namespace setup {

BmiMeter::BmiMeter(host::PanelHost& host, ui::Frame& parent) : PanelPart(host, parent) {
    HScroll1.Change = [this] { HScroll1_Change(); };
    HScroll1.Scroll = [this] { HScroll1_Scroll(); };
}

void BmiMeter::layOut() {
    for (int i = 0; i < 5; ++i) {
        Shape2.add(i, form(), "Shape2", &Frame1)
            .setGeometry(analysis::kMeterBand.lefts[i], analysis::kMeterBand.widths[i]);
        Shape2(i).setBackColor(analysis::kSegmentColors[i]);
    }
    for (int i : {25, 28, 30}) Label9.add(i, form(), "Label9", &Frame1);
    lblHyojun.add(0, form(), "lblHyojun", &Frame1);
    lblHyojun.add(1, form(), "lblHyojun", &Frame1);
    std::string scale;
    for (int b = 17; b <= 32; ++b) scale += (b > 17 ? "‥" : "") + std::to_string(b);
    Label19.setText(scale);
}

void BmiMeter::start() {
    DSP_BMI_BASE();
    DSP_BMI_METER();
}

void BmiMeter::currentWeighingChanged() {
    if (!host::hasHeight(host_.values().get<core::Profile>())) {
        Label9(25).setText("");
        return;
    }
    float bmi = host_.shared().CurrentBmi;
    MeterBmi = analysis::clampToMeter(bmi);
    Image2.setLeft(analysis::pointerLeft(analysis::kMeterBand, MeterBmi));
    MeterSetByProgram = true;
    HScroll1.setValue(static_cast<int>(core::roundEven(static_cast<double>(MeterBmi) * 10)));
    Label9(25).setText(core::Format(bmi, "0.0"));
}

void BmiMeter::DSP_BMI_BASE() {
    const auto& profile = host_.values().get<core::Profile>();
    Label9(28).setText(core::shortestText(host_.shared().summary.LastWeight));
    Label9(30).setText(host::hasHeight(profile) ? core::shortestText(profile.Height / 100) : "");
}

void BmiMeter::DSP_BMI_METER() {
    const auto& profile = host_.values().get<core::Profile>();
    if (host_.shared().summary.RecordCount == 0 || !host::hasHeight(profile)) return;
    double m = static_cast<double>(profile.Height) / 100;
    if (!MeterSetByProgram) {
        MeterBmi = static_cast<float>(HScroll1.value() / 10.0);
        auto simulated = static_cast<float>(m * m * MeterBmi);
        Label9(25).setText(core::Format(MeterBmi, "0.0"));
        Label9(28).setText(core::Format(simulated, "0.0"));
    }
    MeterBmi = static_cast<float>(HScroll1.value() / 10.0);
    Image2.setLeft(analysis::pointerLeft(analysis::kMeterBand, MeterBmi));
    MeterSetByProgram = false;
    const auto& cls = analysis::classify(MeterBmi);
    Label9(25).setText(core::Format(MeterBmi, "0.0"));
    lblHyouka.setBackColor(cls.labelColor);
    lblHyouka.setText(std::string(cls.text));
    float standard = analysis::standardWeight(profile.Height);
    lblHyojun(0).setText(core::Format(standard, "00.0"));
    lblHyojun(1).setText(core::Format(standard, "00.0"));
    lblTai.setText(Label9(28).text());
    double obesity = (core::Val(lblTai.text()) - core::Val(lblHyojun(0).text())) /
                     core::Val(lblHyojun(1).text()) * 100;
    lblHiman.setText(core::Format(obesity, "0.0"));
}

void BmiMeter::HScroll1_Change() {
    DSP_BMI_METER();
}
void BmiMeter::HScroll1_Scroll() {
    DSP_BMI_METER();
}

}  // namespace setup
