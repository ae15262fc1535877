// The situation list editor of the editing panel (Frame12): 追加, 削除, 全削除,
// the drag that reorders lstKoumoku, 並び替え and the rename across the log.
// Every change is written first, and the three list boxes follow only a
// write that succeeded: an added label is appended to each, a rewritten list
// is read again from the file, so that they never show what was not saved.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/panel_part.h"
#include "setup/message.h"

namespace setup {

class SituationEditor : public host::PanelPart {
  public:
    SituationEditor(host::PanelHost& host, ui::Frame& parent);

    ui::Frame Frame12{form(), "Frame12", &parent_, "状況リスト編集"};
    ui::ListBox lstKoumoku{form(), "lstKoumoku", &Frame12};
    ui::Button cmdNew2{form(), "cmdNew2", &Frame12, "追加"};
    ui::Button cmdDel{form(), "cmdDel", &Frame12, "削除"};
    ui::Button cmdDel2{form(), "cmdDel2", &Frame12, "全削除"};
    ui::Button cmdSort{form(), "cmdSort", &Frame12, "並び替え"};
    ui::Label lblChgYaji{form(), "lblChgYaji", &Frame12, "↓"};
    ui::TextBox txtChg{form(), "txtChg", &Frame12};
    ui::Button cmdChg{form(), "cmdChg", &Frame12, "状況コメントを入れ替える"};

    // As the panel opens, the buttons that act on the selected item are off
    // until an item is chosen.
    void fill();
    void situationsChanged(const std::vector<std::string>& labels);
    void situationAdded(const std::string& label) { lstKoumoku.addItem(label); }

    void cmdNew2_Click();
    void cmdDel_Click();
    void cmdDel2_Click();
    void lstKoumoku_Click();
    void lstKoumoku_MouseDown();
    void lstKoumoku_MouseUp();
    void cmdSort_Click();
    void cmdChg_Click();
    // Whether a dragged order waits for 並び替え.
    bool sortPending() const { return cmdSort.backColor().has_value(); }

  private:
    void wireEvents();
    ui::Answer show(const Message& message) {
        return setup::show(host_.services().dialogs, message);
    }

    // The item under the mouse when the button went down in lstKoumoku, and
    // whether that press started a drag.
    std::string DragText;
    int16_t DragIndex = -1;
    bool dragging_ = false;
};

}  // namespace setup
