// The results PDF of large contests, written on A4 with their tables split
// across pages: 6 classes of 50 contestants, and a contest of 300 entrants in
// six classes, most flying two or three, of about 800 lines. Prints the time
// of each of a few writes; the goal is under a second for both, and the time
// per line steady as the contest grows.

#include "results_files.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace orlo::contest;

namespace {

const char *const captions[] = {"Profile", "Class I", "Class II", "Sportsman", ".15", "Skyray"};

Standing ranked(int place, const std::string &name, int number)
{
    Standing row;
    row.place = std::to_string(place);
    row.rank = place;
    row.contestant = name;
    row.number = std::to_string(number);
    const std::string best = std::to_string(400 - place % 300) + ".5";
    row.flights = {{place * 2, best, true, false}, {place * 2 + 1, std::to_string(300 - place % 300) + ".0", false, false}};
    row.score = best;
    row.highSpeedPoints = "210.3";
    row.lowSpeedPoints = "98.7";
    row.engineBonus = "20.0";
    row.scalePoints = "15";
    row.landingPoints = "50";
    return row;
}

Results contestOf(const std::vector<int> &classSizes)
{
    Results results;
    results.contest.name = "Carrier Nationals";
    results.contest.firstDay = "2026-07-14";
    results.contest.lastDay = "2026-07-16";
    results.asOf = "2026-07-16T18:05:00+0200";
    int entrant = 0;
    for (std::size_t index = 0; index < classSizes.size(); ++index) {
        ClassStandings standings;
        standings.rule.caption = captions[index % 6];
        for (int place = 1; place <= classSizes[index]; ++place) {
            // Entrants wrap around the 300 of the entry list, some with a
            // name long enough to wrap in its column.
            const int number = 100 + entrant++ % 300;
            const std::string name = number % 17 == 0
                                         ? "Bartholomew Alexander Featherstonehaugh-Montgomery " + std::to_string(number)
                                         : "Contestant number " + std::to_string(number);
            standings.rows.push_back(ranked(place, name, number));
        }
        results.classes.push_back(std::move(standings));
    }
    return results;
}

int lines(const Results &results)
{
    int count = 0;
    for (const ClassStandings &standings : results.classes)
        count += int(standings.rows.size());
    return count;
}

bool timed(const char *what, const Results &results, const QString &path, int runs)
{
    for (int run = 1; run <= runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const orlo::ResultsWritten written = orlo::writeResultsDocument(results, path, QPageSize(QPageSize::A4));
        const qint64 ms = timer.elapsed();
        if (!written.done) {
            std::fprintf(stderr, "results_pdf_bench: %s\n", qPrintable(written.sentence));
            return false;
        }
        std::printf("results PDF of %s (%d lines), write %d: %lld ms, %.2f ms a line (goal under 1000 ms)\n", what,
                    lines(results), run, static_cast<long long>(ms), double(ms) / lines(results));
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("results.pdf"));
    // A second argument of "large" adds a contest of 1,350 lines, to see the
    // time grow with the lines and no faster.
    const bool large = argc > 1 && QByteArrayView(argv[1]) == "large";
    return timed("6 classes x 50 contestants", contestOf({50, 50, 50, 50, 50, 50}), path, 3)
                   && timed("300 entrants in 6 classes", contestOf({150, 140, 140, 135, 135, 134}), path, 3)
                   && (!large || timed("500 entrants in 6 classes", contestOf({240, 230, 225, 220, 220, 215}), path, 2))
               ? 0
               : 1;
}
