// A message box as the setup rules decide it, for the panel to show as is.
#pragma once

#include <string>

#include "ui/services.h"

namespace setup {

struct Message {
    std::string text;
    std::string title;
    ui::Icon icon = ui::Icon::Information;
    ui::Buttons buttons = ui::Buttons::OK;
    bool operator==(const Message&) const = default;
};

// Shows the message box and gives the user's answer.
ui::Answer show(ui::Dialogs& dialogs, const Message& message);

// The refusal of a text that the data files cannot hold; `what` names the
// box, as in "状況" or "名前".
Message unstorableTextMessage(std::string_view what);

}  // namespace setup
