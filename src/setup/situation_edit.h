// The rules of the situation-list editor (lstKoumoku and its buttons) and of
// the main panel's free situation: each is a plain function on the list of
// labels, with the messages it shows as data for the panel.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/weight_log.h"
#include "setup/message.h"
#include "ui/color.h"

namespace setup {

// The face of 並び替え while a dragged order is not saved yet.
inline constexpr ui::Color kSortPendingColor{255, 224, 192};

// The input box of 追加 (cmdNew2).
inline constexpr std::string_view kAddPrompt = "追加したい状況を入力して下さい";
inline constexpr std::string_view kAddTitle = "状況追加";
// What an undo calls any change of the list alone.
inline constexpr std::string_view kListChanged = "状況リストの変更";

// The input box of the free situation (cmdFree) and its question.
inline constexpr std::string_view kFreeTitle = "状況フリー入力";
std::string freeSituationPrompt();
Message freeSituationAddQuestion();

// Whether `selected` names an item: 削除, 並び替え and the rename do nothing
// without one (-1, or an index the list no longer has).
bool hasSelection(std::span<const std::string> labels, int selected);

// Refuses a label the files cannot hold; nullopt when it can be stored.
std::optional<Message> checkTypedLabel(std::string_view text);

// Moves the item pressed at `dragIndex` to stand just before the item
// released on at `releaseIndex`: nothing when that is the item itself or the
// one right below it, or when either index is outside the list.
bool moveDraggedItem(std::vector<std::string>& items, int dragIndex, int releaseIndex);

// 追加: an empty answer does nothing, an unstorable one is refused, any other
// is appended (duplicates are allowed).
struct AddResult {
    bool added = false;
    std::optional<Message> refusal;
};
AddResult addLabel(std::vector<std::string>& labels, std::string_view answer);

// 削除: removes the selected item; false, with nothing removed, when no item
// is selected (-1 or outside the list).
bool removeLabel(std::vector<std::string>& labels, int selected);
Message deleteConfirmation(std::string_view label);
Message deleteDoneMessage();

// 全削除.
Message deleteAllConfirmation();
Message deleteAllDoneMessage();

// 並び替え.
Message sortDoneMessage();

// 状況コメントを入れ替える (cmdChg), up to its confirmation: nothing without a
// selection; a refusal for an empty or unstorable new text; otherwise the
// question to ask, with the two texts.
struct RenameCheck {
    enum class Kind { Nothing, Refused, Confirm };
    Kind kind = Kind::Nothing;
    Message message;
    std::string from, to;
};
RenameCheck checkRename(std::span<const std::string> labels, int selected,
                        std::string_view newText);
Message renameDoneMessage();

// Every label equal to `from` exactly becomes `to`; the number changed.
int32_t replaceLabel(std::vector<std::string>& labels, std::string_view from, std::string_view to);

// Every record whose situation equals `from` exactly gets `to`; the other
// fields are kept as they are.
struct RenamedRecords {
    std::vector<core::WeightRecord> records;
    int32_t count = 0;
};
RenamedRecords renameSituation(std::span<const core::WeightRecord> records, std::string_view from,
                               std::string_view to);

}  // namespace setup
