#include "setup/csv_transfer.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "core/fields.h"
#include "core/journal.h"
#include "core/platform.h"
#include "setup/situation_list.h"
#include "setup/weighing_csv.h"

namespace setup {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kExportTitle = "CSVに書き出す";
constexpr std::string_view kImportTitle = "CSVから取り込む";
constexpr std::string_view kExportName = "ヤセルンバ.csv";
constexpr std::string_view kCsvFilter = "CSV ファイル (*.csv)";
// A file larger than this is no list of weighings (the log's 32767 records
// take about a megabyte); it is refused before it is read.
constexpr int64_t kMaxImportBytes = int64_t{64} * 1024 * 1024;

// A chosen file as the folder it is in and its name there.
struct ChosenFile {
    core::DataDir folder;
    std::string name;
};

ChosenFile chosenFile(std::string_view utf8Path) {
    fs::path path = core::platform::pathOf(utf8Path);
    return {core::DataDir(path.parent_path()), core::platform::utf8Of(path.filename())};
}

bool isCsvName(std::string_view name) {
    return name.size() >= 4 && core::equalIgnoringAsciiCase(name.substr(name.size() - 4), ".csv");
}

// The program's own files live in the data folder: an export there may only
// take a name of its own kind, so that it never replaces the log, the list
// or a setting.
bool replacesDataFile(const ChosenFile& file, const core::DataDir& dataDir) {
    std::error_code ec;
    return fs::equivalent(file.folder.folder().empty() ? fs::path(".") : file.folder.folder(),
                          dataDir.folder(), ec) &&
           !isCsvName(file.name);
}

Message dataFileRefusal(std::string_view name) {
    return {"データフォルダーの「" + std::string(name) +
                "」には書き出せません。\r\nヤセルンバのデータを守るため、データフォルダーには"
                "名前が .csv で終わるファイルだけを書き出します。",
            "書き出しエラー", ui::Icon::Exclamation};
}

// The bytes of the file to import, or why there are none.
core::FileBytes importBytes(const ChosenFile& file) {
    auto stamp = file.folder.stamp(file.name);
    if (stamp && stamp->size > kMaxImportBytes)
        return {std::nullopt,
                core::Status::failure(file.name, "ファイルが大きすぎます（64 MB まで）")};
    core::FileBytes read = file.folder.readFile(file.name);
    if (read.missing()) read.status = core::Status::failure(file.name, "ファイルが見つかりません");
    return read;
}

// Why the plan cannot be carried out, or nullopt when it can.
std::optional<Message> importRefusal(const ImportPlan& plan) {
    if (!plan.ok()) return Message{plan.error, "取り込みエラー", ui::Icon::Exclamation};
    if (plan.count() == 0)
        return Message{std::string(kNothingToImport), "取り込み", ui::Icon::Information};
    if (plan.overLimit)
        return Message{std::string(kImportOverLimit), "取り込みエラー", ui::Icon::Exclamation};
    return std::nullopt;
}

}  // namespace

CsvTransfer::CsvTransfer(host::PanelHost& host, ui::Frame& parent) : PanelPart(host, parent) {
    // Alt and these letters press the buttons.
    ui::setAccessKeys({{&cmdCsvOut, 'E'}, {&cmdCsvIn, 'I'}});
    cmdCsvOut.Click = [this] { cmdCsvOut_Click(); };
    cmdCsvIn.Click = [this] { cmdCsvIn_Click(); };
}

void CsvTransfer::cmdCsvOut_Click() {
    auto log = readLog();
    if (!log) return;
    auto path = host_.services().dialogs.saveFile(kExportTitle, kExportName, kCsvFilter);
    if (!path) return;
    ChosenFile file = chosenFile(*path);
    if (replacesDataFile(file, host_.dataDir())) {
        show(dataFileRefusal(file.name));
        return;
    }
    if (!host_.saved(file.folder.writeBytes(file.name, weighingCsv(log->records)))) return;
    const auto count = static_cast<int32_t>(log->records.size());
    show({exportDoneText(count, file.name, log->unreadableLines), "書き出し完了"});
}

void CsvTransfer::cmdCsvIn_Click() {
    auto log = readLog();
    if (!log) return;
    auto path = host_.services().dialogs.openFile(kImportTitle, kCsvFilter);
    if (!path) return;
    core::FileBytes bytes = importBytes(chosenFile(*path));
    if (!host_.readable(bytes.status) || !bytes.bytes) return;
    ImportPlan plan = planImport(*bytes.bytes, log->records);
    if (auto refusal = importRefusal(plan)) {
        show(*refusal);
        return;
    }
    if (show({importQuestion(plan), "取り込み確認", ui::Icon::Question, ui::Buttons::OKCancel}) !=
        ui::Answer::OK)
        return;
    if (!host_.backUp().goOn) return;
    core::JournalAct act(host_.dataDir(),
                         "CSVの取り込み（" + std::to_string(plan.count()) + " 件）");
    if (!host_.saved(core::mergeRecords(host_.dataDir(), plan.records))) return;
    addImportedSituations(plan.records);
    host_.logWritten();
    show({importDoneText(plan.count()), "取り込み完了"});
}

// Each situation of the imported records that the list lacks is added at its
// end, as a situation typed freely and kept is. A label that cannot be added
// is said so, and the rest are not tried: the weighings are in the log all
// the same.
void CsvTransfer::addImportedSituations(const std::vector<core::WeightRecord>& records) {
    std::vector<std::string> known = readSituationList(host_.dataDir());
    for (const core::WeightRecord& record : records) {
        if (std::find(known.begin(), known.end(), record.Situation) != known.end()) continue;
        if (!host_.saved(appendSituation(host_.dataDir(), record.Situation, LabelForm::Quoted)))
            return;
        known.push_back(record.Situation);
        host_.situationAdded(record.Situation);
    }
}

}  // namespace setup
