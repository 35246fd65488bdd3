#pragma once

#include "flight_journal.h"

#include <QWidget>

class FlightTableModel;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QTableWidget;

// The flights window: every flight the journal keeps, newest first, filtered
// by day and class, with the calculations of the chosen flight below and the
// export of the flights shown. A window of its own beside the sheet, which it
// never blocks.
class FlightsWindow final : public QWidget {
    Q_OBJECT
public:
    explicit FlightsWindow(orlo::journal::FlightJournal &journal, QWidget *parent = nullptr);
    ~FlightsWindow() override;

    // Reads the flights again under the chosen filters, keeping the chosen flight.
    void reload();
    // A calculation was recorded: a window on the screen shows it soon, a
    // hidden one when it is shown again.
    void journalChanged();
    // Writes the flights shown as CSV: what "Export CSV…" does once the file is chosen.
    bool exportTo(const QString &fileName);

    FlightTableModel *flights() const { return m_model; }
    QTableView *flightsView() const { return m_view; }
    QTableWidget *historyView() const { return m_history; }
    QComboBox *dayFilter() const { return m_day; }
    QComboBox *classFilter() const { return m_class; }
    QPushButton *exportButton() const { return m_export; }
    QLabel *statusLine() const { return m_status; }

protected:
    bool event(QEvent *event) override;

private:
    void buildControls();
    void refillFilters();
    void chooseExportFile();
    void showHistory();
    void showCount();
    std::int64_t chosenFlight() const;

    orlo::journal::FlightJournal &m_journal;
    FlightTableModel *m_model = nullptr;
    QTableView *m_view = nullptr;
    QTableWidget *m_history = nullptr;
    QComboBox *m_day = nullptr;
    QComboBox *m_class = nullptr;
    QPushButton *m_export = nullptr;
    QLabel *m_status = nullptr;
    QString m_exported;
    bool m_stale = false;
    bool m_reloadQueued = false;
};
