#pragma once

// The start both window benchmarks share: every message box answered and
// recorded instead of waiting for a click, the program folder taken from the
// command line.
#include "common/data/programfolder.h"
#include "common/ui/messagebox.h"

#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace bench {

struct ProgramArguments
{
    QString folder;
    int repetitions = 1;
};

// False (after a usage line) when the arguments are not FOLDER REPETITIONS.
inline bool startProgram(int argc, char** argv, const char* name, ProgramArguments& arguments)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FOLDER REPETITIONS\n", name);
        return false;
    }
    ui::MessageBox::setAutoAnswer(true);
    arguments.folder = QString::fromLocal8Bit(argv[1]);
    if (!arguments.folder.endsWith(QLatin1Char('/')))
        arguments.folder += QLatin1Char('/');
    arguments.repetitions = std::max(1, std::atoi(argv[2]));
    data::ProgramFolder::setOverride(arguments.folder);
    return true;
}

// The text of the last box shown, where an error went.
inline QString lastError()
{
    const auto& history = ui::MessageBox::history();
    return history.isEmpty() ? QString() : history.last().text;
}

} // namespace bench
