// Start-up and every panel's refresh on a mutated data folder: the input is
// a list of files, each a byte naming the file, two bytes of length and the
// content; the first byte decides how every question is answered.
#include "app/frm_main.h"
#include "fuzz_folder.h"
#include "ui/scripted.h"
#include "weighing/main_panel.h"

namespace {

const std::string_view kFiles[] = {
    "データ.txt",     "設定.TXT",       "自動時間.TXT", "移動平均.TXT",
    "体重計刻み.txt", "マーカー.TXT",   "ﾌﾟﾗｲﾍﾞｰﾄ.txt", "換算.txt",
    "状況リスト.txt", "気付きメモ.txt", "連続体重.txt",
};

// Answers every dialog at once with the same button.
class AnsweringDialogs : public ui::Dialogs {
  public:
    explicit AnsweringDialogs(bool yes) : yes_(yes) {}
    ui::Answer message(std::string_view, std::string_view, ui::Icon, ui::Buttons buttons) override {
        switch (buttons) {
            case ui::Buttons::OK:
                return ui::Answer::OK;
            case ui::Buttons::OKCancel:
                return yes_ ? ui::Answer::OK : ui::Answer::Cancel;
            case ui::Buttons::YesNo:
                break;
        }
        return yes_ ? ui::Answer::Yes : ui::Answer::No;
    }
    std::optional<std::string> input(std::string_view, std::string_view,
                                     std::string_view defaultText) override {
        if (!yes_) return std::nullopt;
        return std::string(defaultText);
    }

  private:
    bool yes_;
};

void layOut(FuzzFolder& folder, std::string_view input) {
    folder.reset();
    while (input.size() >= 3) {
        auto file = static_cast<unsigned char>(input[0]) % std::size(kFiles);
        size_t length =
            static_cast<unsigned char>(input[1]) * 256u + static_cast<unsigned char>(input[2]);
        input.remove_prefix(3);
        length = std::min(length, input.size());
        folder.put(kFiles[file], input.substr(0, length));
        input.remove_prefix(length);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InputScope scope;
    static FuzzFolder folder;
    if (size == 0) return 0;
    layOut(folder, asText(data + 1, size - 1));
    AnsweringDialogs dialogs(data[0] % 2 == 0);
    ui::ScriptedServices scripted;
    scripted.clock.set(
        core::Date{std::chrono::year{2024}, std::chrono::month{6}, std::chrono::day{1}}, {7, 0, 0});
    app::frmMain window(folder.dir(), scripted.services(&dialogs));
    window.Form_Load();
    for (const auto& entry : window.panels()) {
        if (scripted.shell.ended()) break;
        entry.button->click();
    }
    if (!scripted.shell.ended()) {
        window.panels().front().button->click();
        window.panel<weighing::MainPanel>().mtvmain.clickDate(scripted.clock.today());
    }
    return 0;
}
