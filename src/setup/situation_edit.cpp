#include "setup/situation_edit.h"

#include "core/codepage.h"

namespace setup {
using ui::Buttons;
using ui::Icon;

bool hasSelection(std::span<const std::string> labels, int selected) {
    return selected >= 0 && static_cast<size_t>(selected) < labels.size();
}

std::string freeSituationPrompt() {
    return "状況リストに無い内容をフリーで入力できます。\n\n"
           "任意の言葉で内容を書き込んでください。\n\n"
           "体重は通常と同じように ↓↑ボタンで指定してください。\n";
}

Message freeSituationAddQuestion() {
    return {"状況リストに追加しますか？\n\n", "状況リスト登録の有無", Icon::Question,
            Buttons::YesNo};
}

std::optional<Message> checkTypedLabel(std::string_view text) {
    if (core::isStorableText(text)) return std::nullopt;
    return unstorableTextMessage("状況");
}

bool moveDraggedItem(std::vector<std::string>& items, int dragIndex, int releaseIndex) {
    if (!hasSelection(items, dragIndex) || !hasSelection(items, releaseIndex)) return false;
    if (releaseIndex == dragIndex || releaseIndex == dragIndex + 1) return false;
    std::string moved = std::move(items[static_cast<size_t>(dragIndex)]);
    items.erase(items.begin() + dragIndex);
    int at = releaseIndex > dragIndex ? releaseIndex - 1 : releaseIndex;
    items.insert(items.begin() + at, std::move(moved));
    return true;
}

AddResult addLabel(std::vector<std::string>& labels, std::string_view answer) {
    if (answer.empty()) return {};
    if (auto refusal = checkTypedLabel(answer)) return {false, refusal};
    labels.emplace_back(answer);
    return {true, std::nullopt};
}

bool removeLabel(std::vector<std::string>& labels, int selected) {
    if (!hasSelection(labels, selected)) return false;
    labels.erase(labels.begin() + selected);
    return true;
}

Message deleteConfirmation(std::string_view label) {
    return {std::string(label) + "を削除します。よろしいですか？", "クリア確認", Icon::Exclamation,
            Buttons::OKCancel};
}

Message deleteDoneMessage() {
    return {"選択したデータを削除しました", "削除完了", Icon::Information, Buttons::OK};
}

Message deleteAllConfirmation() {
    return {"状況リストを全削除します。よろしいですか？", "クリア確認", Icon::Exclamation,
            Buttons::OKCancel};
}

Message deleteAllDoneMessage() {
    return {"状況リストを削除しました。\n\n任意の状況をあらためて登録してください。", "削除完了",
            Icon::Information, Buttons::OK};
}

Message sortDoneMessage() {
    return {"並び替えた順番で状況リストを作成しました", "並び替え完了", Icon::Information,
            Buttons::OK};
}

RenameCheck checkRename(std::span<const std::string> labels, int selected,
                        std::string_view newText) {
    RenameCheck check;
    if (!hasSelection(labels, selected)) return check;
    check.kind = RenameCheck::Kind::Refused;
    if (newText.empty()) {
        check.message = {"変更したいコメントを入力してください", "変更後コメント未入力",
                         Icon::Exclamation, Buttons::OK};
        return check;
    }
    if (auto refusal = checkTypedLabel(newText)) {
        check.message = *refusal;
        return check;
    }
    check.kind = RenameCheck::Kind::Confirm;
    check.from = labels[static_cast<size_t>(selected)];
    check.to = newText;
    check.message = {
        "『" + check.from + "』 を 『" + check.to + "』 に変更します。よろしいですか？",
        "クリア確認", Icon::Exclamation, Buttons::OKCancel};
    return check;
}

Message renameDoneMessage() {
    return {"コメントを入れ替えました。", "コメント変更終了", Icon::Information, Buttons::OK};
}

int32_t replaceLabel(std::vector<std::string>& labels, std::string_view from, std::string_view to) {
    int32_t count = 0;
    for (auto& label : labels) {
        if (label != from) continue;
        label = to;
        ++count;
    }
    return count;
}

RenamedRecords renameSituation(std::span<const core::WeightRecord> records, std::string_view from,
                               std::string_view to) {
    RenamedRecords out;
    out.records.assign(records.begin(), records.end());
    for (auto& record : out.records) {
        if (record.Situation != from) continue;
        record.Situation = to;
        ++out.count;
    }
    return out;
}

}  // namespace setup
