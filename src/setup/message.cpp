#include "setup/message.h"

namespace setup {

ui::Answer show(ui::Dialogs& dialogs, const Message& message) {
    return dialogs.message(message.text, message.title, message.icon, message.buttons);
}

Message unstorableTextMessage(std::string_view what) {
    return {std::string(what) +
                "に使えない文字が含まれています。\r\n\r\n"
                "「\"」（ダブルクォーテーション）、改行、絵文字などの"
                "シフトJISで書けない文字は使えません。",
            "使用できない文字", ui::Icon::Exclamation, ui::Buttons::OK};
}

}  // namespace setup
