// The situation labels offered for each weighing, kept in "状況リスト.txt":
// reading the file, writing it whole or adding one label, and renaming a
// label in the log and the list together.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/data_dir.h"

namespace setup {

inline constexpr std::string_view kSituationFile = "状況リスト.txt";
inline constexpr std::string_view kSituationSideFile = "状況リストＣＨＧ.txt";

// The labels a first run offers while "状況リスト.txt" does not exist yet.
std::vector<std::string> starterSituations();

// What a read of the list gives: the labels in file order, whether the file
// was missing (the labels are then the starter list), and how many lines were
// left out because a label on them could never be stored again (a double
// quote, or bytes that are not Shift-JIS).
struct SituationFile {
    std::vector<std::string> labels;
    bool missing = false;
    int unreadableLines = 0;
};

// The labels of a decoded text: items are separated by line ends and by
// commas outside quotes; a quoted item loses its quotes, an unquoted one the
// blanks around it; empty items are dropped.
SituationFile parseSituationText(std::string_view text);

SituationFile readSituationFile(const core::DataDir& dir);

// The labels of the file in order; the starter list when it is missing.
std::vector<std::string> readSituationList(const core::DataDir& dir);

// How a writer puts a label on its line. Bare is the plain text, but a label
// that would not read back whole that way (a comma, blanks at either end) is
// quoted all the same.
enum class LabelForm { Bare, Quoted };

// The line of one label, ended by CR LF.
std::string situationLine(std::string_view label, LabelForm form);

// Replaces the list file with these labels, through `sideName` when given.
// Refused, with nothing written, when a label cannot be stored.
core::Status writeSituationList(const core::DataDir& dir, std::span<const std::string> labels,
                                LabelForm form, std::string_view sideName = {});

// Adds one label at the end of the file. While the file is missing, the
// starter list is written first so that the labels shown are not lost.
core::Status appendSituation(const core::DataDir& dir, std::string_view label, LabelForm form);

// Gives every weighing and every list item whose situation equals `from`
// exactly the text `to`: the log first (through "データＣＨＧ.txt"), then the
// list (through "状況リストＣＨＧ.txt", every item quoted). When the log
// cannot be rewritten the list is left as it was.
core::Status renameSituationInFiles(const core::DataDir& dir, std::string_view from,
                                    std::string_view to);

}  // namespace setup
