#include "records/read_log.h"

namespace records {

std::shared_ptr<const std::vector<core::WeightRecord>> readLogOrTell(host::PanelHost& host) {
    auto log = core::sharedLogRecords(host.dataDir());
    if (!log->status) {
        host.services().dialogs.message(
            "「" + log->status.fileName() + "」を読めませんでした。\r\n" + log->status.reason(),
            "読み込みエラー", ui::Icon::Exclamation);
        return nullptr;
    }
    return {log, &log->records};
}

}  // namespace records
