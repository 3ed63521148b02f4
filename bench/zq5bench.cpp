// What a clerk waits for in the register and the claim window, each beside
// its floor measured in the same run on the same data: see benchrows.h for
// the form of a row and each row file for what its floor and module do.
#include "benchdatabase.h"
#include "benchrows.h"
#include "registersession.h"
#include "rowgroups.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

namespace {

const char usage[] =
    "usage: zq5bench [--quick] [--runs N] [--only GROUP]\n"
    "  Builds bench databases of 10,000 to 1,000,000 claims once and prints one row per measurement:\n"
    "  name, floor ms, module ms, ratio and goal, with OVER when the ratio exceeds its goal.\n"
    "  --quick       10,000 and 100,000 claims only (under a minute)\n"
    "  --runs N      each figure is the best of N runs, floor and module in turns (default 5)\n"
    "  --only GROUP  one group of rows: open, sort, search, eligibility, save, cancel or odbc\n"
    "  Build with -DCMAKE_BUILD_TYPE=Release.\n";

bool knownGroup(const QString& name) {
    for (const bench::RowGroup& group : bench::rowGroups)
        if (name == QLatin1String(group.name))
            return true;
    return false;
}

// Returns false, having said why, when the arguments are not understood.
bool parse(int argc, char** argv, bench::Options& options) {
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--quick") == 0) {
            options.quick = true;
        } else if (std::strcmp(argument, "--runs") == 0 && i + 1 < argc) {
            options.runs = std::atoi(argv[++i]);
            if (options.runs < 1)
                return false;
        } else if (std::strcmp(argument, "--only") == 0 && i + 1 < argc) {
            options.only = QString::fromLocal8Bit(argv[++i]);
            if (!knownGroup(options.only))
                return false;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    bench::Options options;
    const bool help = argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0);
    if (help || !parse(argc, argv, options)) {
        std::fputs(usage, help ? stdout : stderr);
        return help ? 0 : 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;
    bench::Databases databases(folder.path());
    // Qt's one-time start (fonts, style) is not counted: a host has done that before it calls Show.
    bench::runRegister(databases.registerFile(10));
    bench::Bench bench{options, databases};
    for (const bench::RowGroup& group : bench::rowGroups)
        if (options.only.isEmpty() || options.only == QLatin1String(group.name))
            group.run(bench);
    return 0;
}
