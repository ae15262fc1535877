// The small settings files and the profile on any bytes: each reads as a
// value of its kind, never as an out-of-range number.
#include "core/settings.h"
#include "fuzz_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFolder folder;
    if (size == 0) return 0;
    folder.reset();
    static const std::string_view kFiles[] = {"設定.TXT",       "自動時間.TXT", "移動平均.TXT",
                                              "体重計刻み.txt", "マーカー.TXT", "ﾌﾟﾗｲﾍﾞｰﾄ.txt"};
    std::string_view content = asText(data + 1, size - 1);
    for (std::string_view name : kFiles) folder.put(name, content);
    const core::DataDir& dir = folder.dir();
    int16_t tour = core::readHelpTour(dir);
    (void)tour;
    (void)core::readAutoTime(dir);
    (void)core::readMovingAverageWidth(dir);
    (void)core::readScaleStep(dir);
    (void)core::readMarkerStyle(dir);
    core::Profile profile = core::readProfile(dir);
    if (core::writeProfile(dir, profile)) {
        core::Profile again = core::readProfile(dir);
        require(again.UserName == profile.UserName);
    }
    return 0;
}
