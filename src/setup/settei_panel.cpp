#include "setup/settei_panel.h"

#include "core/settings.h"

namespace setup {
namespace {
// The scale steps of the option buttons optKizami(1) to (3).
constexpr std::string_view kSteps[] = {"0.1", "0.2", "0.5"};
// What the help tour says as the panel opens.
constexpr std::string_view kHelpText =
    "これまでのデータを削除して新規にダイエットをスタートさせたり、各種データの編集を行います。\r\n"
    "\r\n"
    "体重と共に登録する状況項目を追加したり、順番の並び替え、削除ができます。\r\n"
    "\r\n"
    "ＢＭＩメーターではスクロールバーを可変させることでＢＭＩ値と肥満度をシミュレーションできます。"
    "\r\n"
    "\r\n";
}  // namespace

const host::PanelInfo SetteiPanel::kInfo{
    .frame = "fraSettei",
    .caption = "編集",
    .button = {"cmdSettei", "編集", "編集画面を表示します", "settei", '9'},
    .helpPage = "settei",
    .helpText = kHelpText};

SetteiPanel::SetteiPanel(host::PanelHost& host) : Panel(host, kInfo) {
    optKizami.add(1, form(), "optKizami", &fraKizami, "０．１ Ｋｇ");
    optKizami.add(2, form(), "optKizami", &fraKizami, "０．２ Ｋｇ");
    optKizami.add(3, form(), "optKizami", &fraKizami, "０．５ Ｋｇ");
    // The meter's bands and value labels follow the options in the form.
    meter.layOut();
    wireEvents();
}

void SetteiPanel::load() {
    meter.load();
    READ_JIKAN();
}

void SetteiPanel::start() {
    meter.start();
    READ_KIZAMI();
}

void SetteiPanel::firstRun() {
    host_.open(*this);
    profile.firstRun();
}

void SetteiPanel::fill() {
    profile.fill();
    situations.fill();
    backups.fill();
}

void SetteiPanel::wireEvents() {
    chkJikan.Click = [this] { chkJikan_Click(); };
    for (const auto& [index, option] : optKizami.items())
        option->Click = [this, i = index] { optKizami_Click(i); };
    txtKizami.KeyPressed = [this](ui::KeyPress& k) { txtKizami_KeyPress(k); };
}

void SetteiPanel::READ_JIKAN() {
    chkJikan.setValue(core::readAutoTime(host_.dataDir()) != 0 ? 1 : 0);
    host_.values().set(host::AutoTime{chkJikan.value() != 0});
}

void SetteiPanel::chkJikan_Click() {
    if (host_.shared().Loading) return;
    host_.values().set(host::AutoTime{chkJikan.value() != 0});
    host_.saved(core::writeAutoTime(host_.dataDir(), chkJikan.value()));
}

void SetteiPanel::READ_KIZAMI() {
    std::string step = core::readScaleStep(host_.dataDir());
    host_.values().set(host::ScaleStep{step});
    for (int i = 1; i <= 3; ++i) {
        if (step == kSteps[i - 1]) {
            optKizami(i).setValue(true);
            return;
        }
    }
    for (int i = 1; i <= 3; ++i) optKizami(i).setValue(false);
    txtKizami.setText(step);
}

void SetteiPanel::optKizami_Click(int index) {
    if (host_.shared().Loading) return;
    host_.values().set(host::ScaleStep{std::string(kSteps[index - 1])});
    host_.saved(core::writeScaleStep(host_.dataDir(), kSteps[index - 1]));
}

void SetteiPanel::txtKizami_KeyPress(ui::KeyPress& key) {
    if (!key.enter) return;
    host_.values().set(host::ScaleStep{txtKizami.text()});
    host_.saved(core::writeScaleStep(host_.dataDir(), host_.values().get<host::ScaleStep>().text));
}

}  // namespace setup
