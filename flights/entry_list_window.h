#pragma once

#include "contest_journal.h"
#include "journal_reader.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace orlo {

// The entry list, typed into as a table: a name typed in the last row adds
// an entry, an edited cell renames it or changes its number or classes
// ("Class I / Profile"), Delete removes an entry without flights, and one
// with flights is merged into another instead. A registration file is
// imported all or nothing, its problems shown line by line.
class EntryListWindow final : public QWidget {
    Q_OBJECT
public:
    enum Column { Name, Number, Classes, Flights, ColumnCount };

    // Reads the list with reader, changes it with contest.
    EntryListWindow(const journal::JournalReader &reader, journal::ContestJournal &contest, QWidget *parent);

    // Reads the list again; says so when the journal cannot be read, until a read succeeds.
    void reload();
    // Reads the list again when the last read failed.
    void reloadIfUnread();
    // Imports a registration file: what "Import CSV…" does once the file is chosen.
    void importFrom(const QString &fileName);
    // Removes the chosen entry, or says why it stays.
    void removeChosen();
    // Merges the chosen entry into another, picked from the list.
    void mergeChosen();

    QTableWidget *table() const { return m_table; }
    QLabel *statusLine() const { return m_status; }

signals:
    // An entry was added, changed, removed or merged.
    void entriesChanged();

private:
    void edited(QTableWidgetItem *item);
    void refuse(const std::exception &refusal);
    std::int64_t chosenEntry() const;

    const journal::JournalReader &m_reader;
    journal::ContestJournal &m_contest;
    QTableWidget *m_table = nullptr;
    QPushButton *m_import = nullptr;
    QPushButton *m_merge = nullptr;
    QLabel *m_status = nullptr;
    bool m_filling = false;
    bool m_unread = false;
};

} // namespace orlo
