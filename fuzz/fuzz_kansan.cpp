// The conversion table on any bytes: never empty, and a table written back
// reads as the same entries.
#include "fuzz_folder.h"
#include "savings/kansan_editor.h"
#include "savings/penalty.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFolder folder;
    folder.reset();
    folder.put(savings::kConversionFile, asText(data, size));
    savings::ConversionTable table = savings::READ_KANSAN(folder.dir());
    require(!table.entries.empty());
    (void)savings::KANSAN_RATE(table, "2024/06/01");
    if (savings::writeKansan(folder.dir(), table)) {
        savings::ConversionTable again = savings::READ_KANSAN(folder.dir());
        require(again.entries.size() == table.entries.size());
        for (size_t i = 0; i < table.entries.size(); ++i) {
            require(again.entries[i].FromDate == table.entries[i].FromDate);
            require(again.entries[i].Rate == table.entries[i].Rate);
        }
    }
    return 0;
}
