#include "setup/new_start.h"

#include <cfloat>
#include <cmath>

#include "core/codepage.h"
#include "core/numbers.h"
#include "setup/situation_list.h"

namespace setup {
namespace {

using ui::Buttons;
using ui::Icon;

Refusal refuse(std::string text, std::string title, FormBox box) {
    return {{std::move(text), std::move(title), Icon::Information, Buttons::OK}, box};
}

// A number that a float holds, so that no conversion can overflow.
bool fitsFloat(double value) {
    return std::isfinite(value) && std::fabs(value) <= FLT_MAX;
}

float toFloat(double value) {
    return fitsFloat(value) ? static_cast<float>(value) : 0.0f;
}

bool isFloatText(std::string_view text) {
    return core::IsNumeric(text) && fitsFloat(core::Val(text));
}

std::optional<Refusal> emptyHeightOrTarget(std::string_view height, std::string_view target) {
    if (height.empty()) return refuse("身長が入力されていません", "身長未入力", FormBox::Height);
    if (target.empty())
        return refuse("目標体重が入力されていません", "目標体重未入力", FormBox::Target);
    return std::nullopt;
}

// The checks both forms share beyond empty boxes.
std::optional<Refusal> unsoundProfile(std::string_view name, std::string_view height,
                                      std::string_view target) {
    if (!core::isStorableText(name)) return Refusal{unstorableTextMessage("名前"), FormBox::Name};
    if (!isFloatText(height))
        return refuse("身長は半角の数字で入力してください", "身長入力エラー", FormBox::Height);
    if (core::Val(height) <= 0)
        return refuse("身長は０より大きい数字で入力してください", "身長入力エラー",
                      FormBox::Height);
    if (!isFloatText(target))
        return refuse("目標体重は半角の数字で入力してください", "目標体重入力エラー",
                      FormBox::Target);
    return std::nullopt;
}

}  // namespace

std::optional<Refusal> checkNewStart(const NewStartForm& form) {
    if (auto refusal = emptyHeightOrTarget(form.height, form.target)) return refusal;
    if (form.weight.empty())
        return refuse("現在の体重が入力されていません", "現体重未入力", FormBox::Weight);
    if (form.situation.empty())
        return refuse("初回の状況が入力されていません", "初回状況（コメント）未入力",
                      FormBox::Situation);
    if (auto refusal = unsoundProfile(form.name, form.height, form.target)) return refusal;
    double weight = core::Val(form.weight);
    if (!fitsFloat(weight) || weight <= 0)
        return refuse("現在の体重は半角の数字で入力してください", "現体重入力エラー",
                      FormBox::Weight);
    if (!core::isStorableText(form.situation))
        return Refusal{unstorableTextMessage("初期状況"), FormBox::Situation};
    return std::nullopt;
}

NewStart buildNewStart(const NewStartForm& form, core::Date today) {
    NewStart start;
    start.profile = buildProfile({form.name, form.height, form.target});
    start.first.Date = core::dateText(today);
    start.first.Situation = form.situation;
    start.first.Weight = toFloat(core::Val(form.weight));
    return start;
}

core::Status saveNewStart(const core::DataDir& dir, const NewStart& start) {
    if (dir.exists(core::kLogFile)) {
        core::Status kept = dir.copy(core::kLogFile, dir.freeName(kLogBackupBase, ".txt"));
        if (!kept) return kept;
    }
    core::Status log = core::RESET_LOG(dir, start.first);
    if (!log) return log;
    if (!dir.exists(kSituationFile)) {
        core::Status list = writeSituationList(dir, starterSituations(), LabelForm::Bare);
        if (!list) return list;
    }
    return core::writeProfile(dir, start.profile);
}

Message newStartInstructions() {
    return {
        "新規にヤセルンバをスタートさせます。\r\n\r\n"
        "あなたの名前（ニックネーム）を入力してください。フォームのタイトルに反映されます。\r\n"
        "※入力は必須ではありません。空欄だとタイトルに名前が入らないだけです。\r\n\r\n"
        "身長と目標体重を半角文字で入力してください。（※必須です）\r\n\r\n"
        "現在（スタート時）の体重を入力してください。（※必須です）\r\n\r\n"
        "初期の状況として記録したい言葉を入力してください。\r\n"
        "デフォルトでは「はじめの一歩」と入れていますが自由に変更できます。（※必須です）"
        "\r\n\r\n"
        "入力し準備ができたら新規登録ボタンを押してください。\r\n",
        "データを登録しましょう", Icon::Information, Buttons::OK};
}

Message newStartConfirmation() {
    return {"入力した内容でデータを作ります。よろしいですか？", "クリア確認", Icon::Exclamation,
            Buttons::OKCancel};
}

Message newStartDoneMessage() {
    return {
        "登録が終了しました。\r\n\r\n"
        "一旦プログラムを終了させていただきます。次の起動からヤセルンバのスタートです！",
        "新規登録終了", Icon::Information, Buttons::OK};
}

std::optional<Refusal> checkProfile(const ProfileForm& form) {
    if (auto refusal = emptyHeightOrTarget(form.height, form.target)) return refusal;
    return unsoundProfile(form.name, form.height, form.target);
}

core::Profile buildProfile(const ProfileForm& form) {
    return {form.name, toFloat(core::Val(form.height)), toFloat(core::Val(form.target))};
}

Message profileSavedMessage() {
    return {"保存が終了しました", "保存終了", Icon::Information, Buttons::OK};
}

std::string startupTitle(std::string_view userName) {
    if (userName.empty()) return " ヤセルンバ";
    return " " + std::string(userName) + " の ヤセルンバ";
}

std::string profileSavedTitle(std::string_view userName) {
    if (userName.empty()) return " ヤセルンバ";
    return " " + std::string(userName) + " ヤセルンバ";
}

}  // namespace setup
