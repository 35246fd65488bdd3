#pragma once

#include "flight_journal.h"

#include <QAbstractTableModel>

#include <vector>

// The flights of the journal as rows of a table, newest first: the time, the
// contestant (the one column the official may edit) and the points of each
// element of the flight's last calculation, every number as the sheet showed it.
class FlightTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Time, Contestant, Class, HighSpeed, LowSpeed, EngineBonus, Scale, Landing, Total, ColumnCount };

    explicit FlightTableModel(orlo::journal::FlightJournal &journal, QObject *parent = nullptr);

    // Reads the flights again, the first screenful of them; the view asks
    // for more as the official scrolls. Throws JournalProblem, the rows
    // unchanged, when the journal cannot be read.
    void setFilter(orlo::journal::FlightFilter filter);
    const orlo::journal::FlightFilter &filter() const { return m_filter; }
    // The flights read so far.
    const std::vector<orlo::journal::FlightRow> &flights() const { return m_flights; }
    // The row of a flight, reading on as far as it; -1 when the filter hides it.
    int rowOf(std::int64_t flightId);

    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // A contestant typed next to a flight goes to the journal at once; the
    // cell keeps the old name when the journal could not take the new one.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    // Reading on as the official scrolled failed; the rows read stay.
    void readFailed(const QString &problem);

private:
    orlo::journal::FlightJournal &m_journal;
    orlo::journal::FlightFilter m_filter;
    std::vector<orlo::journal::FlightRow> m_flights;
    bool m_readAll = false;
};

// A text the journal kept (UTF-8), as a window shows it.
QString shownText(const std::string &text);

// The time of a calculation as the tables show it: local date and time,
// without the UTC offset, which the tooltip and the export keep.
QString shownTime(const std::string &recordedAt);

