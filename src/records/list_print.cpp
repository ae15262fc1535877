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

// Weight, BMI and obesity from x 3000, one print zone apart: the figures of
// a row and the captions above them alike.
void putValueColumns(ui::PrintJob& job, const std::string& weight, const std::string& bmi,
                     const std::string& obesity) {
    job.push_back(ui::printX(kValuesX));
    job.push_back(ui::printText(weight));
    job.push_back(ui::printZone());
    job.push_back(ui::printText(bmi));
    job.push_back(ui::printZone());
    job.push_back(ui::printText(obesity));
    job.push_back(ui::printNewLine());
}

}  // namespace

std::string listPrintHeader() {
    return wide(1) + "日付け" + blank(4) + wide(2) + blank(2) + "状況";
}

std::string listPrintRule() {
    return std::string(62, '-');
}

ui::PrintJob listPrintJob(std::span<const ListRow> rows) {
    ui::PrintJob job = {ui::printX(0), ui::printY(0), ui::printPicture("mcrBunseki"),
                        ui::printY(kHeaderY), ui::printText(listPrintHeader())};
    putValueColumns(job, "体重", "ＢＭＩ", "肥満度");
    job.push_back(ui::printText(listPrintRule()));
    job.push_back(ui::printNewLine());
    for (const auto& row : rows) {
        job.push_back(ui::printText(row.cells[kColDate] + wide(2) + row.cells[kColSituation]));
        putValueColumns(job, row.cells[kColWeight], row.cells[kColBmi], row.cells[kColObesity]);
    }
    job.push_back(ui::printEndDoc());
    return job;
}

}  // namespace records
