// yaserunba-script: runs the program's window logic headless, driven by a
// script, and prints what the script asks for.
#include <fstream>
#include <iostream>
#include <string>

#include "core/platform.h"
#include "script/script_runner.h"

int main(int argc, char** argv) {
    std::string dataDir;
    std::string scriptPath = "-";
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--data-dir" && i + 1 < argc) {
            dataDir = argv[++i];
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
        file.open(scriptPath);
        if (!file) {
            std::cerr << "cannot read " << scriptPath << "\n";
            return 2;
        }
    }
    core::platform::watchEndRequests();
    script::ScriptRunner runner(dataDir, std::cout);
    return runner.run(scriptPath == "-" ? std::cin : file, std::cerr);
}
