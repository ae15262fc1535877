#include "setup/situation_list.h"

#include "core/fields.h"

namespace setup {

std::vector<std::string> readSituationList(const core::DataDir& dir) {
    std::vector<std::string> labels;
    auto text = dir.readText(kSituationFile);
    if (!text) return labels;
    std::vector<std::string_view> items;
    core::forEachLine(*text, [&](std::string_view line) {
        if (line.find_first_not_of(" \t") == std::string_view::npos) return;
        core::splitFields(line, items);
        labels.insert(labels.end(), items.begin(), items.end());
    });
    return labels;
}

}  // namespace setup
