#include "records/read_log.h"

namespace records {

std::optional<std::vector<core::WeightRecord>> readLogOrTell(host::PanelHost& host) {
    core::LogRecords log = core::readLogRecords(host.dataDir());
    if (!log.status) {
        host.services().dialogs.message(
            "「" + log.status.fileName() + "」を読めませんでした。\r\n" + log.status.reason(),
            "読み込みエラー", ui::Icon::Exclamation);
        return std::nullopt;
    }
    return std::move(log.records);
}

}  // namespace records
