// 編集's BMI meter in the window: the slider sets a BMI, and the meter shows
// the weight that height gives it, its class, the standard weight and the
// obesity worked out from the boxes as shown.
#include "setup/bmi_meter.h"

#include <gtest/gtest.h>

#include "setup/settei_panel.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"

namespace setup {
namespace {

// 160 cm: 1.6² = 2.56 and the standard weight 22 × 2.56 = 56.32, shown 56.3.
void putFiles(const TempFolder& folder, std::string_view log) {
    folder.putHelpTourOff();
    folder.put("ﾌﾟﾗｲﾍﾞｰﾄ.txt", "\"氏名\",\"花子\"\r\n\"身長\",160\r\n\"目標体重\",55\r\n");
    folder.put("状況リスト.txt", "朝食前\r\n");
    folder.put("データ.txt", log);
}

// The slider across the meter and over each border of the classes (a class
// takes 24.0 and 26.4 with the one below them, 20.0 and 30.0 with the one
// above). The obesity is (weight - 56.3) / 56.3 × 100 from the boxes.
TEST(BmiMeter, TheSliderShowsTheWeightClassAndObesityOfItsBmi) {
    struct Case {
        int slider;
        const char* bmi;
        const char* weight;  // 2.56 × BMI
        const char* judged;
        const char* obesity;
    };
    const Case cases[] = {
        {170, "17.0", "43.5", "やせ気味", "-22.7"},
        {199, "19.9", "50.9", "やせ気味", "-9.6"},
        {200, "20.0", "51.2", "スタンダード", "-9.1"},
        {240, "24.0", "61.4", "スタンダード", "9.1"},
        {241, "24.1", "61.7", "でぶメゾフォルテ", "9.6"},
        {264, "26.4", "67.6", "でぶメゾフォルテ", "20.1"},
        {265, "26.5", "67.8", "でぶフォルテ", "20.4"},
        {299, "29.9", "76.5", "でぶフォルテ", "35.9"},
        {300, "30.0", "76.8", "でぶフォルテシモ", "36.4"},
        {320, "32.0", "81.9", "でぶフォルテシモ", "45.5"},
    };
    TempFolder folder;
    putFiles(folder, "\"2024/06/01\",\"朝食前\",64,\"\",\"\",\"\"\r\n");
    TestWindow w(folder.dir(), {"2024/06/01"});
    w.start();
    BmiMeter& meter = w.open<SetteiPanel>().meter;
    for (const Case& c : cases) {
        meter.HScroll1.act([&] { meter.HScroll1.setValue(c.slider); });
        EXPECT_EQ(meter.Label9(25).text(), c.bmi) << c.slider;
        EXPECT_EQ(meter.Label9(28).text(), c.weight) << c.slider;
        EXPECT_EQ(meter.lblTai.text(), c.weight) << c.slider;
        EXPECT_EQ(meter.Label9(30).text(), "1.6") << c.slider;
        EXPECT_EQ(meter.lblHyojun(0).text(), "56.3") << c.slider;
        EXPECT_EQ(meter.lblHyojun(1).text(), "56.3") << c.slider;
        EXPECT_EQ(meter.lblHyouka.text(), c.judged) << c.slider;
        EXPECT_EQ(meter.lblHiman.text(), c.obesity) << c.slider;
    }
}

// Without a height, or without a weighing, there is no weight to show: the
// slider moves and the meter's boxes stay as they were.
TEST(BmiMeter, WithoutAHeightOrAWeighingTheSliderShowsNothing) {
    struct Case {
        const char* what;
        const char* profile;
        std::string_view log;
    };
    const Case cases[] = {
        {"no height", "\"氏名\",\"花子\"\r\n\"身長\",0\r\n\"目標体重\",55\r\n",
         "\"2024/06/01\",\"朝食前\",64,\"\",\"\",\"\"\r\n"},
        {"no weighing", "\"氏名\",\"花子\"\r\n\"身長\",160\r\n\"目標体重\",55\r\n", ""},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        putFiles(folder, c.log);
        folder.put("ﾌﾟﾗｲﾍﾞｰﾄ.txt", c.profile);
        TestWindow w(folder.dir(), {"2024/06/01"});
        w.start();
        BmiMeter& meter = w.open<SetteiPanel>().meter;
        const std::string weight = meter.Label9(28).text();
        meter.HScroll1.act([&] { meter.HScroll1.setValue(250); });
        EXPECT_EQ(meter.HScroll1.value(), 250) << c.what;
        EXPECT_EQ(meter.Label9(28).text(), weight) << c.what;
        EXPECT_EQ(meter.lblTai.text(), "") << c.what;
        EXPECT_EQ(meter.lblHyouka.text(), "") << c.what;
        EXPECT_EQ(meter.lblHiman.text(), "") << c.what;
        EXPECT_EQ(meter.lblHyojun(0).text(), "") << c.what;
    }
}

}  // namespace
}  // namespace setup
