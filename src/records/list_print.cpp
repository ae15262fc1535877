#include "records/list_print.h"

namespace records {
namespace {

constexpr std::string_view kIdeographicSpace = "\u3000";
constexpr int kHeaderY = 5000;
constexpr int kValuesX = 3000;

std::string repeat(std::string_view text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

std::string wide(int n) {
    return repeat(kIdeographicSpace, n);
}
std::string blank(int n) {
    return std::string(static_cast<size_t>(n), ' ');
}

}  // namespace

std::string listPrintHeader() {
    return wide(1) + "日付け" + blank(4) + wide(2) + blank(2) + "状況" + wide(3) + blank(4) +
           wide(1) + blank(2) + wide(2) + blank(2) + wide(3) + "体重" + wide(1) + blank(2) +
           wide(2) + "ＢＭＩ" + wide(1) + blank(4) + wide(2) + "肥満度";
}

std::string listPrintRule() {
    return std::string(62, '-');
}

ui::PrintJob listPrintJob(std::span<const ListRow> rows) {
    ui::PrintJob job = {ui::printX(0),
                        ui::printY(0),
                        ui::printPicture("mcrBunseki"),
                        ui::printY(kHeaderY),
                        ui::printText(listPrintHeader()),
                        ui::printNewLine(),
                        ui::printText(listPrintRule()),
                        ui::printNewLine()};
    for (const auto& row : rows) {
        job.push_back(ui::printText(row.cells[kColDate] + wide(2) + row.cells[kColSituation]));
        job.push_back(ui::printX(kValuesX));
        job.push_back(ui::printText(row.cells[kColWeight]));
        job.push_back(ui::printZone());
        job.push_back(ui::printText(row.cells[kColBmi]));
        job.push_back(ui::printZone());
        job.push_back(ui::printText(row.cells[kColObesity]));
        job.push_back(ui::printNewLine());
    }
    job.push_back(ui::printEndDoc());
    return job;
}

}  // namespace records
