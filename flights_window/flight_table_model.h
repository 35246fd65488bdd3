#pragma once

#include "flight_journal.h"
#include "journal_reader.h"
#include "shown_text.h"

#include <QAbstractTableModel>

#include <vector>

namespace orlo {

// The flights of the journal as rows of a table, newest first unless ordered
// otherwise: the time, the contestant (the one column the official may
// edit), the status, the points of each element of the flight's last
// calculation, every number as the sheet showed it, and how many
// calculations the flight had.
class FlightTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    // In the order of journal::FlightSortKey.
    enum Column {
        Time, Contestant, Number, Class, Status, HighSpeed, LowSpeed, EngineBonus, Scale, Landing, Total,
        Calculations, ColumnCount
    };

    // Reads through reader; a contestant typed goes to the journal.
    FlightTableModel(const journal::JournalReader &reader, journal::FlightJournal &journal, QObject *parent = nullptr);

    // Reads the flights again, the first screenful of them; the view asks
    // for more as the official scrolls. Throws JournalProblem, the rows
    // unchanged, when the journal cannot be read.
    void setFilter(journal::FlightFilter filter);
    const journal::FlightFilter &filter() const { return m_filter; }
    // The flights read so far.
    const std::vector<journal::FlightRow> &flights() const { return m_flights; }
    // The row of a flight, reading on as far as it when newest first; -1
    // when the filter hides it or, in another order, it is not read yet.
    int rowOf(std::int64_t flightId);

    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Orders the flights by the column in the journal itself, so that the
    // first rows are the first of every flight the filter passes.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // A contestant typed next to a flight goes to the journal at once; the
    // cell keeps the old name when the journal could not take the new one.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    // Reading on as the official scrolled failed; the rows read stay.
    void readFailed(const QString &problem);

private:
    std::vector<journal::FlightRow> readPage(std::size_t from) const;

    const journal::JournalReader &m_reader;
    journal::FlightJournal &m_journal;
    journal::FlightFilter m_filter;
    journal::FlightOrder m_order;
    std::vector<journal::FlightRow> m_flights;
    bool m_readAll = false;
};

// The time of a calculation as the tables show it: local date and time,
// without the UTC offset, which the tooltip and the export keep.
QString shownTime(const std::string &recordedAt);

} // namespace orlo
