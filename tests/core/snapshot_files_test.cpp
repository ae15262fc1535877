// The files a snapshot holds against the names under which the subsystems
// keep their files, which the core cannot include: every list, table and
// setting is in it, their exports and side files are not.
#include <gtest/gtest.h>

#include "analysis/day_averages.h"
#include "analysis/trend_source.h"
#include "core/snapshot.h"
#include "savings/history.h"
#include "savings/penalty.h"
#include "setup/new_start.h"
#include "setup/situation_list.h"

namespace {

TEST(SnapshotFiles, HoldTheSubsystemsFilesAndNotTheirExports) {
    for (std::string_view name :
         {setup::kSituationFile, savings::kConversionFile, analysis::kTrendSourceFile})
        EXPECT_TRUE(core::isSnapshotFile(name)) << name;
    const std::string backup = std::string(setup::kLogBackupBase) + ".txt";
    for (std::string_view name : {setup::kSituationSideFile, savings::kHistoryFile,
                                  analysis::kDayAverageFile, std::string_view(backup)})
        EXPECT_FALSE(core::isSnapshotFile(name)) << name;
}

}  // namespace
