// The identity and state of a file as the system keeps them.
#pragma once

#include <cstdint>

namespace core {

// A file that has the same stamp has not been replaced, grown, shrunk or
// written since.
struct FileStamp {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;
    int64_t changedSeconds = 0;
    int64_t changedNanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};

}  // namespace core
