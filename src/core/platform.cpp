// What the file layer does the same way on every system, written on the
// calls that platform_posix.cpp and platform_windows.cpp give.
#include "core/platform.h"

namespace core::platform {

int File::readAll(std::string& out) {
    size_t have = out.size();
    while (true) {
        // Room reserved for a file of known size is used as it is; a file
        // that grows past it takes room in large steps.
        if (out.size() - have < 4096)
            out.resize(out.capacity() - have >= 4096 ? out.capacity() : 2 * have + 65536);
        size_t got = 0;
        int err = read(out.data() + have, out.size() - have, got);
        if (err != 0 || got == 0) {
            out.resize(have);
            return err;
        }
        have += got;
    }
}

}  // namespace core::platform
