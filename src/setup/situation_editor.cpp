#include "setup/situation_editor.h"

#include <vector>

#include "core/journal.h"

#include "setup/situation_edit.h"
#include "setup/situation_list.h"

namespace setup {

SituationEditor::SituationEditor(host::PanelHost& host, ui::Frame& parent)
    : PanelPart(host, parent) {
    // Alt and these letters press the buttons.
    ui::setAccessKeys({{&cmdNew2, 'N'}, {&cmdDel, 'D'}, {&cmdDel2, 'A'}, {&cmdSort, 'O'}});
    Frame12.setToolTip("状況データの編集枠です");
    wireEvents();
}

void SituationEditor::wireEvents() {
    cmdNew2.Click = [this] { cmdNew2_Click(); };
    cmdDel.Click = [this] { cmdDel_Click(); };
    cmdDel2.Click = [this] { cmdDel2_Click(); };
    cmdSort.Click = [this] { cmdSort_Click(); };
    cmdChg.Click = [this] { cmdChg_Click(); };
    lstKoumoku.Click = [this] { lstKoumoku_Click(); };
    lstKoumoku.MouseDown = [this] { lstKoumoku_MouseDown(); };
    lstKoumoku.MouseUp = [this] { lstKoumoku_MouseUp(); };
}

void SituationEditor::fill() {
    cmdSort.setEnabled(false);
    cmdDel.setEnabled(false);
    cmdChg.setEnabled(false);
}

void SituationEditor::situationsChanged(const std::vector<std::string>& labels) {
    lstKoumoku.setItems(labels);
}

void SituationEditor::cmdNew2_Click() {
    auto answer = host_.services().dialogs.input(kAddPrompt, kAddTitle, "");
    if (!answer || answer->empty()) return;
    if (auto refusal = checkTypedLabel(*answer)) {
        show(*refusal);
        return;
    }
    core::JournalAct act(host_.dataDir(), std::string(kListChanged));
    if (!host_.saved(appendSituation(host_.dataDir(), *answer, LabelForm::Bare))) return;
    host_.situationAdded(*answer);
}

void SituationEditor::lstKoumoku_Click() {
    cmdSort.setEnabled(true);
    cmdDel.setEnabled(true);
    cmdChg.setEnabled(true);
}

void SituationEditor::cmdDel_Click() {
    std::vector<std::string> labels = lstKoumoku.items();
    int selected = lstKoumoku.listIndex();
    if (!hasSelection(labels, selected)) return;
    const std::string& label = labels[static_cast<size_t>(selected)];
    if (show(deleteConfirmation(label)) != ui::Answer::OK) return;
    removeLabel(labels, selected);
    core::JournalAct act(host_.dataDir(), std::string(kListChanged));
    if (!host_.saved(writeSituationList(host_.dataDir(), labels, LabelForm::Bare))) return;
    host_.situationsWritten();
    show(deleteDoneMessage());
}

void SituationEditor::cmdDel2_Click() {
    if (show(deleteAllConfirmation()) != ui::Answer::OK) return;
    if (!host_.backUp().goOn) return;
    core::JournalAct act(host_.dataDir(), std::string(kListChanged));
    if (!host_.saved(writeSituationList(host_.dataDir(), {}, LabelForm::Bare))) return;
    host_.situationsWritten();
    show(deleteAllDoneMessage());
}

void SituationEditor::lstKoumoku_MouseDown() {
    int index = lstKoumoku.listIndex();
    dragging_ = hasSelection(lstKoumoku.items(), index);
    if (!dragging_) return;
    DragIndex = static_cast<int16_t>(index);
    DragText = lstKoumoku.items()[static_cast<size_t>(index)];
}

void SituationEditor::lstKoumoku_MouseUp() {
    if (!dragging_) return;
    dragging_ = false;
    int target = lstKoumoku.listIndex();
    std::vector<std::string> items = lstKoumoku.items();
    // The list cannot change while the button is held; should it have, the
    // drag is dropped rather than moving another item.
    if (!hasSelection(items, DragIndex) || items[static_cast<size_t>(DragIndex)] != DragText)
        return;
    if (!moveDraggedItem(items, DragIndex, target)) return;
    lstKoumoku.setItems(std::move(items));
    lstKoumoku.setListIndex(target > DragIndex ? target - 1 : target);
    cmdSort.setBackColor(kSortPendingColor);
}

void SituationEditor::cmdSort_Click() {
    const std::vector<std::string>& labels = lstKoumoku.items();
    if (!hasSelection(labels, lstKoumoku.listIndex())) return;
    core::JournalAct act(host_.dataDir(), std::string(kListChanged));
    if (!host_.saved(writeSituationList(host_.dataDir(), labels, LabelForm::Bare))) return;
    host_.situationsWritten();
    cmdSort.setBackColor(std::nullopt);
    show(sortDoneMessage());
}

void SituationEditor::cmdChg_Click() {
    RenameCheck check = checkRename(lstKoumoku.items(), lstKoumoku.listIndex(), txtChg.text());
    if (check.kind == RenameCheck::Kind::Nothing) return;
    if (check.kind == RenameCheck::Kind::Refused) {
        show(check.message);
        txtChg.setFocus();
        return;
    }
    if (show(check.message) != ui::Answer::OK) return;
    if (!host_.backUp().goOn) return;
    core::JournalAct act(host_.dataDir(),
                         "状況の名前の変更（" + check.from + " → " + check.to + "）");
    if (!host_.saved(renameSituationInFiles(host_.dataDir(), check.from, check.to))) return;
    host_.situationsWritten();
    host_.logWritten();
    show(renameDoneMessage());
}

}  // namespace setup
