#pragma once

#include "contest_changes.h"
#include "contest_journal.h"
#include "journal_reader.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace orlo {

class RegistrationImport;

// The entry list, typed into as a table: a name typed in the last row adds
// an entry, an edited cell renames it or changes its number or classes
// ("Class I / Profile"), Delete removes an entry without flights, and one
// with flights is merged into another instead. A registration file is
// imported all or nothing, after a preview of its entries, its problems
// shown line by line. Each change is told to changes, and every change told
// there, whoever made it, is read again while the window is open.
class EntryListWindow final : public QWidget {
    Q_OBJECT
public:
    enum Column { Name, Number, Classes, Flights, ColumnCount };

    // Reads the list with reader, changes it with contest.
    EntryListWindow(const journal::JournalReader &reader, journal::ContestJournal &contest, ContestChanges &changes,
                    QWidget *parent);

    // Reads the list again; says so when the journal cannot be read, until a read succeeds.
    void reload();
    // Reads the list again when the last read failed.
    void reloadIfUnread();
    // Imports a registration file: what "Import CSV…" does once the file is
    // chosen (RegistrationImport).
    void importFrom(const QString &fileName);
    // Removes the chosen entry, or says why it stays.
    void removeChosen();
    // Merges the chosen entry into another, picked from the list.
    void mergeChosen();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void reloadIfStale();
    void edited(QTableWidgetItem *item);
    // Shows only the entries whose name or number holds the search's text, accents and case aside.
    void showFound();
    void refuse(const std::exception &refusal);
    std::int64_t chosenEntry() const;

    const journal::JournalReader &m_reader;
    journal::ContestJournal &m_contest;
    ContestChanges &m_changes;
    QTableWidget *m_table = nullptr;
    QPushButton *m_import = nullptr;
    QPushButton *m_merge = nullptr;
    QLineEdit *m_search = nullptr;
    QLabel *m_status = nullptr;
    RegistrationImport *m_importer = nullptr;
    // The contest whose list is shown, which entries typed or imported join
    // (0 until read): another program may make another contest current meanwhile.
    std::int64_t m_listed = 0;
    bool m_filling = false;
    bool m_unread = false;
    bool m_stale = false; // a change was told since the last read
};

} // namespace orlo
