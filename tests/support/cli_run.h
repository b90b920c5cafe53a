#pragma once
// The command-line program run as a user runs it, for the tests of its commands. The test
// target defines TARNFLOW_CLI, the path of the built program.
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/temp_dir.h"
#include "workbook/zip_archive.h"

namespace tarn::testing {

struct CliOutcome {
    int code = -1;  // exit status, -1 when the program did not exit normally
    std::string out, err;
};

// Runs `tarnflow <args>` (args as the shell reads them) with its output in `dir`.
inline CliOutcome tarnflow(const TempDir& dir, const std::string& args) {
    const std::string command = std::string("'") + TARNFLOW_CLI + "' " + args + " >'" + (dir / "stdout").string() +
                                "' 2>'" + (dir / "stderr").string() + "' </dev/null";
    const int status = std::system(command.c_str());
    CliOutcome o;
    o.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    o.out = readWholeFile(dir / "stdout");
    o.err = readWholeFile(dir / "stderr");
    return o;
}

}  // namespace tarn::testing
