// The import of weighings on any bytes: it never crashes, every record it
// would add can be stored (a real plain date, a weight the weight entry
// takes, a situation the files can hold), and the export of those records
// reads back as the same records.
#include <cmath>

#include "core/codepage.h"
#include "core/dates.h"
#include "core/typed_weight.h"
#include "fuzz_folder.h"
#include "setup/weighing_csv.h"

namespace {

bool storable(const core::WeightRecord& r) {
    return core::isPlainDate(r.Date) && std::isfinite(r.Weight) &&
           std::fabs(r.Weight) < core::kWeightLimit && core::isStorableText(r.Situation) &&
           !r.Situation.empty() && r.Diary.empty() && r.Spare1.empty() && r.Spare2.empty();
}

bool same(const core::WeightRecord& a, const core::WeightRecord& b) {
    return a.Date == b.Date && a.Situation == b.Situation && a.Weight == b.Weight;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A small log, so that duplicates of it are found too.
    static const std::vector<core::WeightRecord> kLog = {
        {"2024/06/01", "取り込み", 62.4f, "", "", ""},
        {"2024/06/01", "朝食前", 62.0f, "", "", ""},
    };
    setup::ImportPlan plan = setup::planImport(asText(data, size), kLog);
    if (!plan.ok()) {
        require(plan.records.empty());
        return 0;
    }
    for (const auto& r : plan.records) require(storable(r));
    require(plan.overLimit == (kLog.size() + plan.records.size() > size_t{core::kMaxRecords}));
    setup::ImportPlan again = setup::planImport(setup::weighingCsv(plan.records), {});
    require(again.ok() && again.unreadable == 0 && again.duplicates == 0);
    require(again.records.size() == plan.records.size());
    for (size_t i = 0; i < plan.records.size(); ++i)
        require(same(again.records[i], plan.records[i]));
    return 0;
}
