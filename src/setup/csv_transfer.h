// The weighings out to a CSV file and in from one, on the editing panel
// (fraCsv). The export writes the chosen file through the safe rewrite, so
// that a failed write leaves an older file whole. The import reads the
// chosen file, says what it would add and asks first; on OK the log is
// merged (the old one kept as データbak.txt), the new situations join the
// list, and the shown panels follow the new log.
#pragma once

#include <vector>

#include "core/weight_log.h"
#include "host/panel_part.h"
#include "setup/message.h"

namespace setup {

class CsvTransfer : public host::PanelPart {
  public:
    CsvTransfer(host::PanelHost& host, ui::Frame& parent);

    ui::Frame fraCsv{form(), "fraCsv", &parent_, "データの書き出し・取り込み"};
    ui::Button cmdCsvOut{form(), "cmdCsvOut", &fraCsv, "CSVに書き出す"};
    ui::Button cmdCsvIn{form(), "cmdCsvIn", &fraCsv, "CSVから取り込む"};

    void cmdCsvOut_Click();
    void cmdCsvIn_Click();

  private:
    ui::Answer show(const Message& message) {
        return setup::show(host_.services().dialogs, message);
    }
    void addImportedSituations(const std::vector<core::WeightRecord>& records);
};

}  // namespace setup
