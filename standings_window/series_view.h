#pragma once

#include "series_dialog.h"
#include "series_standings.h"

#include <QFutureWatcher>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPagedPaintDevice;
class QTableWidget;

namespace orlo {

// What the Series view reads: the journal's series, the season's contests
// and the standings of the series named (the first, or the default rules
// over every contest, when none is).
struct SeriesRead {
    std::vector<contest::SeriesSettings> series;
    std::vector<SeriesContestChoice> contests;
    contest::SeriesStandings standings;
};

// Where the Series view gets the season from. read runs on a worker thread
// and throws an exception whose what() tells the director why the journal
// could not be read; keep and save run on the window's thread and throw likewise.
struct SeriesSource {
    std::function<SeriesRead(const std::string &name)> read;
    std::function<void(const contest::SeriesSettings &)> keep;
    std::function<void(const contest::SeriesStandings &, const std::string &path)> save;
};

// The season's series in the Standings window: a class or combination at a
// time, each contest's points (the dropped ones in brackets) and the total,
// the rules in words above; set up in the series dialog, printed and saved
// as the contest's results are.
class SeriesView final : public QWidget {
public:
    explicit SeriesView(SeriesSource source, QWidget *parent = nullptr);
    ~SeriesView() override;

    // Reads the season again, keeping the series and class shown.
    void readAgain();
    const contest::SeriesStandings &standings() const { return m_read.standings; }
    bool saveTo(const QString &path);

private:
    struct Reading {
        SeriesRead read;
        QString problem;
    };
    void takeRead();
    void showChosen();
    void setUp();
    void print();
    void chooseFileToSave();

    SeriesSource m_source;
    SeriesRead m_read;
    QFutureWatcher<Reading> m_reading;
    std::string m_wanted; // the series to read; empty: the first
    bool m_readAgain = false;
    QComboBox *m_series = nullptr;
    QComboBox *m_class = nullptr;
    QLabel *m_state = nullptr;
    QLabel *m_rules = nullptr;
    QTableWidget *m_table = nullptr;
};

} // namespace orlo
