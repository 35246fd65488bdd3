// The results PDF of a large contest: 6 classes of 50 contestants, each with
// two official flights, written on A4 with its tables split across pages.
// Prints the time of each of a few writes; the goal is under a second.

#include "results_document.h"
#include "results_files.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextDocument>

#include <cstdio>

using namespace orlo::contest;

namespace {

Results largeContest()
{
    Results results;
    results.contest.name = "Carrier Nationals";
    results.contest.firstDay = "2026-07-14";
    results.contest.lastDay = "2026-07-16";
    results.asOf = "2026-07-16T18:05:00+0200";
    const char *const captions[] = {"Profile", "Class I", "Class II", "Sportsman", ".15", "Skyray"};
    for (const char *caption : captions) {
        ClassStandings standings;
        standings.rule.caption = caption;
        for (int place = 1; place <= 50; ++place) {
            Standing row;
            row.place = std::to_string(place);
            row.rank = place;
            row.contestant = "Contestant number " + std::to_string(place) + " of " + caption;
            row.number = std::to_string(100 + place);
            const std::string best = std::to_string(400 - place) + ".5";
            row.flights = {{place * 2, best, true, false}, {place * 2 + 1, std::to_string(300 - place) + ".0", false, false}};
            row.score = best;
            row.highSpeedPoints = "210.3";
            row.lowSpeedPoints = "98.7";
            row.engineBonus = "20.0";
            row.scalePoints = "15";
            row.landingPoints = "50";
            standings.rows.push_back(std::move(row));
        }
        results.classes.push_back(std::move(standings));
    }
    return results;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir folder;
    const Results results = largeContest();
    {
        // Where the time goes: the page made from the results, then laid
        // out and drawn page by page into a PDF kept in memory.
        QElapsedTimer timer;
        timer.start();
        QTextDocument document;
        orlo::fillResultsDocument(document, results);
        const qint64 filled = timer.restart();
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setPageSize(QPageSize(QPageSize::A4));
        orlo::printPaged(document, writer);
        std::printf("page made: %lld ms; laid out and drawn: %lld ms\n", static_cast<long long>(filled),
                    static_cast<long long>(timer.elapsed()));
    }
    for (int run = 1; run <= 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        const orlo::ResultsWritten written =
            orlo::writeResultsDocument(results, folder.filePath(QStringLiteral("results.pdf")), QPageSize(QPageSize::A4));
        const qint64 ms = timer.elapsed();
        if (!written.done) {
            std::fprintf(stderr, "results_pdf_bench: %s\n", qPrintable(written.sentence));
            return 1;
        }
        std::printf("results PDF of 6 classes x 50 contestants, write %d: %lld ms (goal under 1000 ms)\n", run,
                    static_cast<long long>(ms));
    }
    return 0;
}
