// The benchmark's rows: each puts what the module takes beside its floor, the
// same work done the plainest way in the same run on the same data, and says
// on one line whether the ratio keeps to its goal, so that a script can read it.
#pragma once

#include <QString>

#include <functional>

namespace bench {

class Databases;

struct Options {
    bool quick = false;  // 10,000 and 100,000 claims only
    int runs = 5;        // each figure is the best of this many runs
    QString only;        // run this group of rows only; empty for all
};

// What every group of rows gets: the options and the shared, built-once files.
struct Bench {
    const Options& options;
    Databases& databases;
};

// A group of rows, in one file of its own; zq5bench runs them in order.
struct RowGroup {
    const char* name;
    void (*run)(Bench& bench);
};

// "<name> floor <f> ms module <m> ms ratio <r> goal <g>", with " OVER" when
// the ratio exceeds the goal. `unit` names what floor and module count.
void printRow(const QString& name, double floor, double module, double goal, const char* unit = "ms");

// Milliseconds that `run` takes; `prepare`, untimed, sets it up.
double timeMs(const std::function<void()>& run, const std::function<void()>& prepare = {});

struct Best {
    double floor = 1e300;
    double module = 1e300;
};
// The best of `runs` turns of the floor and then the module, each giving the
// milliseconds it took: taken in turns, so that both meet the same load on a
// machine others share.
Best bestInTurns(int runs, const std::function<double()>& floor, const std::function<double()>& module);

// Sizes in rows' names: 10k, 100k, 1M.
QString sizeName(int claims);

}  // namespace bench
