// The rules of the settings panel's two forms: the new start (fraNew), which
// replaces the log by one first weighing, and the profile (Frame9); and the
// window title that the profile's name gives.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/data_dir.h"
#include "core/dates.h"
#include "core/settings.h"
#include "core/weight_log.h"
#include "setup/message.h"

namespace setup {

// The text txtNowJyou holds when the program starts.
inline constexpr std::string_view kFirstSituation = "はじめの一歩";

// The box a refusal sends the user back to.
enum class FormBox { Name, Height, Target, Weight, Situation };

struct Refusal {
    Message message;
    FormBox box = FormBox::Height;
};

// The texts of the new-start group, as typed.
struct NewStartForm {
    std::string name;       // txtPriData1, may be empty
    std::string height;     // txtSincyou1, cm
    std::string target;     // txtMokuTai1, kg
    std::string weight;     // txtNowTai, kg; "74.5kg" counts as 74.5
    std::string situation;  // txtNowJyou
};

// The first refusal of the form, nullopt when it can be saved: first the four
// empty boxes in their order, then texts the files cannot hold, a height or
// target that is not a number, a height or a start weight of zero or less.
std::optional<Refusal> checkNewStart(const NewStartForm& form);

// What a checked form saves: the profile and the first record of the new log.
struct NewStart {
    core::Profile profile;
    core::WeightRecord first;
};
NewStart buildNewStart(const NewStartForm& form, core::Date today);

// The name the old log is kept under before a new start replaces it:
// "データbak.txt", or "データbak2.txt", ... when that is taken.
inline constexpr std::string_view kLogBackupBase = "データbak";

// Keeps the old log under the next free backup name, replaces the log by
// the first record, writes the starter situation list when there is no list
// yet, then the profile. Stops at the first write that fails; the old log
// is never lost, since its backup is written before anything else.
core::Status saveNewStart(const core::DataDir& dir, const NewStart& start);

// The messages of 新規にスタートするとき and 新規登録.
Message newStartInstructions();
Message newStartConfirmation();
Message newStartDoneMessage();

// The texts of the profile group.
struct ProfileForm {
    std::string name;    // txtPriData
    std::string height;  // txtSincyou
    std::string target;  // txtMokuTai
};

// As for the new start, without the start weight and the situation.
std::optional<Refusal> checkProfile(const ProfileForm& form);
core::Profile buildProfile(const ProfileForm& form);
Message profileSavedMessage();

// The title set when the profile is read at start-up: " 名前 の ヤセルンバ",
// or " ヤセルンバ" without a name.
std::string startupTitle(std::string_view userName);

// The title set at once by データ変更: " 名前 ヤセルンバ", or " ヤセルンバ"; it
// stays until the next start.
std::string profileSavedTitle(std::string_view userName);

}  // namespace setup
