#include "setup/situation_list.h"

#include <optional>

#include "core/codepage.h"
#include "core/fields.h"
#include "core/weight_log.h"
#include "setup/situation_edit.h"

namespace setup {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// A bare label reads back whole unless a comma splits it or blanks at its
// ends are trimmed away.
bool readsBackBare(std::string_view label) {
    if (label.find(',') != std::string_view::npos) return false;
    return label.empty() || (!isBlank(label.front()) && !isBlank(label.back()));
}

core::Status unstorable(std::string_view label) {
    return core::Status::failure(std::string(kSituationFile),
                                 "「" + std::string(label) + "」は保存できない文字を含んでいます");
}

std::string joinLines(std::span<const std::string> labels, LabelForm form) {
    std::string text;
    for (const auto& label : labels) text += situationLine(label, form);
    return text;
}

}  // namespace

std::vector<std::string> starterSituations() {
    return {"起床後", "朝食前", "朝食後", "昼食前", "昼食後",
            "夕食前", "夕食後", "入浴前", "入浴後", "就寝前"};
}

SituationFile parseSituationText(std::string_view text) {
    SituationFile file;
    std::vector<std::string_view> items;
    core::forEachLine(text, [&](std::string_view line) {
        core::splitFields(line, items);
        bool storable = true;
        for (auto item : items) storable = storable && core::isStorableText(item);
        if (!storable) {
            ++file.unreadableLines;
            return;
        }
        for (auto item : items)
            if (!item.empty()) file.labels.emplace_back(item);
    });
    return file;
}

SituationFile readSituationFile(const core::DataDir& dir) {
    auto text = dir.readText(kSituationFile);
    if (!text) {
        SituationFile file;
        file.missing = !dir.exists(kSituationFile);
        if (file.missing) file.labels = starterSituations();
        return file;
    }
    return parseSituationText(*text);
}

std::vector<std::string> readSituationList(const core::DataDir& dir) {
    return readSituationFile(dir).labels;
}

std::string situationLine(std::string_view label, LabelForm form) {
    std::string line;
    if (form == LabelForm::Bare && readsBackBare(label)) {
        line = label;
    } else {
        line.append("\"").append(label).append("\"");
    }
    line += core::kLineEnd;
    return line;
}

core::Status writeSituationList(const core::DataDir& dir, std::span<const std::string> labels,
                                LabelForm form, std::string_view sideName) {
    for (const auto& label : labels)
        if (!core::isStorableText(label)) return unstorable(label);
    return dir.writeText(kSituationFile, joinLines(labels, form), sideName);
}

core::Status appendSituation(const core::DataDir& dir, std::string_view label, LabelForm form) {
    if (!core::isStorableText(label)) return unstorable(label);
    auto bytes = dir.readBytes(kSituationFile);
    if (!bytes) {
        if (dir.exists(kSituationFile))
            return core::Status::failure(std::string(kSituationFile), "ファイルを読めません");
        auto labels = starterSituations();
        return dir.writeText(kSituationFile,
                             joinLines(labels, LabelForm::Bare) + situationLine(label, form));
    }
    std::string line = situationLine(label, form);
    // A last line without its line end must not run into the new one.
    if (!bytes->empty() && bytes->back() != '\n') line.insert(0, core::kLineEnd);
    return dir.appendText(kSituationFile, line);
}

core::Status renameSituationInFiles(const core::DataDir& dir, std::string_view from,
                                    std::string_view to) {
    if (!core::isStorableText(to)) return unstorable(to);
    if (dir.exists(kSituationFile) && !dir.readBytes(kSituationFile))
        return core::Status::failure(std::string(kSituationFile), "ファイルを読めません");
    SituationFile list = readSituationFile(dir);
    replaceLabel(list.labels, from, to);
    std::optional<std::string> oldLog;
    if (dir.exists(core::kLogFile)) {
        // An unreadable log must not be replaced by an empty one.
        oldLog = dir.readBytes(core::kLogFile);
        if (!oldLog)
            return core::Status::failure(std::string(core::kLogFile), "ファイルを読めません");
        core::Status log = core::renameSituationInLog(dir, from, to);
        if (!log) return log;
    }
    core::Status written =
        writeSituationList(dir, list.labels, LabelForm::Quoted, kSituationSideFile);
    // The log and the list change together or not at all: a list that could
    // not be written takes the log back to what it was.
    if (!written && oldLog) (void)dir.writeBytes(core::kLogFile, *oldLog, core::kRenameSideFile);
    return written;
}

}  // namespace setup
