// The notice memo on any bytes: the text read back after saving is the
// text saved.
#include "core/memo.h"
#include "fuzz_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFolder folder;
    folder.reset();
    folder.put("気付きメモ.txt", asText(data, size));
    core::MemoText memo = core::readMemo(folder.dir());
    if (core::writeMemo(folder.dir(), memo.text))
        require(core::readMemo(folder.dir()).text == memo.text);
    return 0;
}
