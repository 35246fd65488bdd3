// How long the flights window takes to open on a journal of a whole season:
// 100,000 flights, built once into a temporary folder, then the window built,
// shown and painted. Prints the figures; the goal is under 200 ms. Then the
// window on one contest of 5,000 flights against the same contest among 20
// of as many, which should take as long: its first fill, a sort by the total
// and a filter by class and by day, each the best of five or three.
#include "flight_table_model.h"
#include "flights_window.h"
#include "journal_filler.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <optional>

namespace {

// The window on the journal at path, shown and painted.
struct ShownWindow {
    explicit ShownWindow(const std::string &path) : journal(path), changes(path), window(journal, changes)
    {
        window.show();
        window.repaint();
        QApplication::processEvents();
    }
    orlo::journal::FlightJournal journal;
    orlo::ContestChanges changes;
    orlo::FlightsWindow window;
};

// The best of three of work on a window open on path, each time undone
// after, untimed.
orlo::bench::Took bestOnWindow(const std::string &path, const std::function<void(orlo::FlightsWindow &)> &work,
                               const std::function<void(orlo::FlightsWindow &)> &undo)
{
    ShownWindow shown(path);
    orlo::bench::Took best;
    for (int run = 0; run < 3; ++run) {
        orlo::bench::timeBest(best, [&] {
            work(shown.window);
            shown.window.repaint();
            QApplication::processEvents();
        });
        undo(shown.window);
        QApplication::processEvents();
    }
    return best;
}

orlo::bench::Took bestFirstFill(const std::string &path)
{
    orlo::bench::Took best;
    for (int run = 0; run < 5; ++run) {
        std::optional<ShownWindow> shown;
        orlo::bench::timeBest(best, [&] { shown.emplace(path); });
    }
    return best;
}

QTableView &flights(orlo::FlightsWindow &window)
{
    return *window.findChild<QTableView *>(QStringLiteral("Flights"));
}

QComboBox &filter(orlo::FlightsWindow &window, const char *name)
{
    return *window.findChild<QComboBox *>(QLatin1String(name));
}

void compareSeason(const QString &folder)
{
    using orlo::FlightsWindow;
    const orlo::bench::SeasonJournals journals(folder.toStdString(), 20, 5000);
    if (!journals.filled()) {
        std::printf("the season's journals could not be filled in %s\n", qPrintable(folder));
        return;
    }
    journals.compare("Flights window, first fill", bestFirstFill);
    journals.compare("Flights window, sorted by the total", [](const std::string &path) {
        return bestOnWindow(
            path, [](FlightsWindow &window) { flights(window).sortByColumn(orlo::FlightTableModel::Total, Qt::DescendingOrder); },
            [](FlightsWindow &window) { flights(window).sortByColumn(orlo::FlightTableModel::Time, Qt::DescendingOrder); });
    });
    journals.compare("Flights window, one class", [](const std::string &path) {
        return bestOnWindow(
            path,
            [](FlightsWindow &window) {
                QComboBox &classes = filter(window, "ClassFilter");
                classes.setCurrentIndex(classes.findText(QStringLiteral("Class II")));
            },
            [](FlightsWindow &window) { filter(window, "ClassFilter").setCurrentIndex(0); });
    });
    journals.compare("Flights window, one day", [](const std::string &path) {
        return bestOnWindow(
            path, [](FlightsWindow &window) { filter(window, "DayFilter").setCurrentIndex(2); },
            [](FlightsWindow &window) { filter(window, "DayFilter").setCurrentIndex(0); });
    });
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);

    constexpr int flightCount = 100'000;
    QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("journal.sqlite")).toStdString();
    QElapsedTimer clock;
    clock.start();
    if (!orlo::bench::fillJournal(path, flightCount)) {
        out << "the journal could not be filled\n";
        return 1;
    }
    out << "filled " << flightCount << " flights in " << clock.elapsed() << " ms\n";

    for (int opening = 1; opening <= 3; ++opening) {
        clock.restart();
        orlo::journal::FlightJournal journal(path);
        orlo::ContestChanges changes(path);
        orlo::FlightsWindow window(journal, changes);
        window.show();
        window.repaint();
        QApplication::processEvents();
        const qint64 opened = clock.elapsed();
        out << "opening " << opening << ": flights window shown on " << orlo::journal::JournalReader(path).flightCount() << " flights in "
            << opened << " ms (goal: under 200 ms)\n";
        out.flush();
    }
    compareSeason(folder.path());
    return 0;
}
