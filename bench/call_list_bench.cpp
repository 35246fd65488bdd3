// The call list of a contest of 300 entrants in six classes at two circles,
// half the first round flown, a fifth entered in two classes: the order
// made (the draw and the conflicts kept apart) and the call list written as
// PDF and CSV, read back from the PDF with pdftotext. Prints the time of
// each; the goal is about a second for the whole.

#include "call_list_files.h"
#include "call_list_model.h"
#include "flight_order.h"
#include "order_draw.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

using namespace orlo::contest;

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    const char *const captions[] = {"Profile", "Class I", "Class II", "Sportsman", ".15 Carrier", "Skyray Carrier"};
    ContestSettings contest;
    FlyingOrder order;
    for (int index = 0; index < 6; ++index) {
        ClassRule rule;
        rule.caption = captions[index];
        contest.classes.push_back(rule);
        order.classes.push_back({rule.caption, OrderMethod::Drawn, std::uint64_t(1000 + index), {}, index < 3 ? "A" : "B"});
    }
    std::vector<Entry> entries;
    for (int id = 1; id <= 300; ++id) {
        Entry entry{id, "Pilot " + std::to_string(id), std::to_string(id), {captions[id % 6]}, 0, false};
        if (id % 5 == 0)
            entry.classes.push_back(captions[id % 6 / 3 * 3 + (id % 6 + 1) % 3]); // another class at the same circle
        entries.push_back(entry);
    }
    std::vector<ScoredFlight> flights;
    for (int id = 1; id <= 300; id += 2) {
        ScoredFlight flight;
        flight.id = std::int64_t(flights.size()) + 1;
        flight.entry = id;
        flight.contestant = entries[std::size_t(id - 1)].name;
        flight.classCaption = entries[std::size_t(id - 1)].classes.front();
        flight.score = "300.0";
        flights.push_back(flight);
    }

    QTemporaryDir folder;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        const CallList list = callList(contest, order, entries, flights);
        const auto tables = callListTables(list);
        const qint64 ordered = timer.restart();
        const std::string pdf = folder.filePath(QStringLiteral("calls.pdf")).toStdString();
        orlo::writeCallList("Carrier Nationals: Call list", tables, pdf);
        const qint64 wrotePdf = timer.restart();
        orlo::writeCallList("Carrier Nationals: Call list", tables, folder.filePath(QStringLiteral("calls.csv")).toStdString());
        const qint64 wroteCsv = timer.restart();
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {QString::fromStdString(pdf), QStringLiteral("-")});
        pdftotext.waitForFinished(-1);
        const QByteArray text = pdftotext.readAllStandardOutput();
        const qint64 readBack = timer.restart();
        std::size_t calls = 0;
        for (const auto &table : tables)
            calls += table.rows.size();
        std::printf("run %d: %zu calls in %zu tables, %zu conflicts; order %lld ms, PDF %lld ms, CSV %lld ms, "
                    "pdftotext %lld ms (%s \"Pilot 299\"); total %lld ms\n",
                    run + 1, calls, tables.size(), list.conflicts.size(), static_cast<long long>(ordered),
                    static_cast<long long>(wrotePdf), static_cast<long long>(wroteCsv),
                    static_cast<long long>(readBack), text.contains("Pilot 299") ? "finds" : "misses",
                    static_cast<long long>(ordered + wrotePdf + wroteCsv + readBack));
    }
    return 0;
}
