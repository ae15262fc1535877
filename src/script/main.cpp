// yaserunba-script: runs the program's window logic headless, driven by a
// script, and prints what the script asks for.
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "core/platform.h"
#include "script/script_runner.h"

int main(int argc, char** argv) {
    // UTF-8 on every system: a Japanese folder name survives Windows.
    const std::vector<std::string> args = core::platform::commandLineArguments(argc, argv);
    std::string dataDir;
    std::string scriptPath = "-";
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--data-dir" && i + 1 < args.size()) {
            dataDir = args[++i];
        } else if (scriptPath == "-" && (arg == "-" || arg.rfind("--", 0) != 0)) {
            scriptPath = arg;
        } else {
            std::cerr << "usage: yaserunba-script --data-dir DIR [SCRIPT]\n";
            return 2;
        }
    }
    if (dataDir.empty()) {
        std::cerr << "usage: yaserunba-script --data-dir DIR [SCRIPT]\n";
        return 2;
    }
    std::ifstream file;
    if (scriptPath != "-") {
        file.open(core::platform::pathOf(scriptPath));
        if (!file) {
            std::cerr << "cannot read " << scriptPath << "\n";
            return 2;
        }
    }
    core::platform::watchEndRequests();
    script::ScriptRunner runner(core::platform::pathOf(dataDir), std::cout);
    return runner.run(scriptPath == "-" ? std::cin : file, std::cerr);
}
