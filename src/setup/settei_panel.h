// The editing panel: the scale step of the weight entry and the automatic
// time of the diary, and its parts: the situation list editor, the profile
// and the new start, the CSV export and import of the weighings, and the BMI
// meter.
#pragma once

#include <string>
#include <vector>

#include "host/panel.h"
#include "setup/backups.h"
#include "setup/bmi_meter.h"
#include "setup/csv_transfer.h"
#include "setup/profile_editor.h"
#include "setup/situation_editor.h"

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

    // ---- the parts, each a group of the panel with its own controls,
    // handlers and working values. The form lists their controls in this
    // order, after the panel's own. A further group of the panel is one more
    // part after these, and the panel's handlers below tell it what
    // concerns it.
    SituationEditor situations{host_, fraSettei};
    ProfileEditor profile{host_, fraSettei};
    CsvTransfer csv{host_, fraSettei};
    BmiMeter meter{host_, fraSettei};
    Backups backups{host_, fraSettei};

    // Start-up: the automatic time; then the BMI meter and the scale step.
    void load() override;
    void start() override;
    void fill() override;
    void situationsChanged(const std::vector<std::string>& labels) override {
        situations.situationsChanged(labels);
    }
    void situationAdded(const std::string& label) override { situations.situationAdded(label); }
    // The meter set from the current weighing.
    void currentWeighingChanged() override { meter.currentWeighingChanged(); }
    // The list of snapshots shows a new one at once.
    void snapshotMade() override {
        if (fraSettei.visible()) backups.fill();
    }
    // A first run opens the panel with the new start.
    void firstRun() override;

    void READ_JIKAN();
    void chkJikan_Click();
    void READ_KIZAMI();
    void optKizami_Click(int index);
    void txtKizami_KeyPress(ui::KeyPress& key);

  private:
    ui::Form& form() { return host_.windowForm(); }
    void wireEvents();
};

}  // namespace setup
