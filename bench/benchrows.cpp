#include "benchrows.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

namespace bench {

void printRow(const QString& name, double floor, double module, double goal, const char* unit) {
    const double ratio = floor > 0 ? module / floor : 0;
    // Rounded as printed, so that the mark agrees with the figures on the line.
    const bool over = qRound(ratio * 100) > qRound(goal * 100);
    std::printf("%-44s floor %10.2f %s module %10.2f %s ratio %5.2f goal %4.2f%s\n", qPrintable(name), floor, unit,
                module, unit, ratio, goal, over ? " OVER" : "");
    std::fflush(stdout);
}

double timeMs(const std::function<void()>& run, const std::function<void()>& prepare) {
    if (prepare)
        prepare();
    QElapsedTimer clock;
    clock.start();
    run();
    return double(clock.nsecsElapsed()) / 1e6;
}

Best bestInTurns(int runs, const std::function<double()>& floor, const std::function<double()>& module) {
    Best best;
    for (int run = 0; run < std::max(runs, 1); ++run) {
        best.floor = std::min(best.floor, floor());
        best.module = std::min(best.module, module());
    }
    return best;
}

QString sizeName(int claims) {
    if (claims % 1000000 == 0)
        return QString::number(claims / 1000000) + QLatin1Char('M');
    if (claims % 1000 == 0)
        return QString::number(claims / 1000) + QLatin1Char('k');
    return QString::number(claims);
}

}  // namespace bench
