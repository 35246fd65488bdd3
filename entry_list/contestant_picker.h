#pragma once

#include "contest_journal.h"
#include "journal_reader.h"

#include <QLineEdit>
#include <QStyledItemDelegate>

#include <optional>
#include <vector>

class QCompleter;
class QStringListModel;

namespace orlo {

// A line that names a contestant by part of a name or number: "17" or "oka"
// offers "B. Okafor 17" as the director types, the first offer highlighted,
// so that Enter takes it; Escape puts the offers away and keeps the typing.
class ContestantPicker final : public QLineEdit {
    Q_OBJECT
public:
    explicit ContestantPicker(QWidget *parent = nullptr);

    void setEntries(std::vector<contest::Entry> entries);
    const std::vector<contest::Entry> &entries() const { return m_entries; }
    // The entry the text names: by its name (compared without case and extra
    // blanks), its number, or both as offered; none for a name not listed.
    std::optional<contest::Entry> entryNamed() const;

signals:
    // Enter was pressed, on the line or on an offer.
    void picked();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void offer(const QString &typed);
    void pickOnce();

    std::vector<contest::Entry> m_entries;
    QStringListModel *m_offers = nullptr;
    QCompleter *m_completer = nullptr;
    bool m_pickPending = false;
};

// An entry as the picker offers it: "B. Okafor 17".
QString offeredText(const contest::Entry &entry);

// The entry the picker names, or for a name not on the list, a new entry
// added once the director has confirmed it with Add in a message that shows
// the nearest names listed (Enter there adds nothing). None when nothing is named, the director declines,
// or the list refuses the name (said in a message).
std::optional<std::int64_t> confirmedEntry(ContestantPicker &picker, journal::ContestJournal &contest);

// The picker as the editor of a table's contestant cell: the cell takes the
// name of the entry picked, or of the new entry confirmed.
class ContestantDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    ContestantDelegate(const journal::JournalReader &reader, journal::ContestJournal &contest, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

private:
    const journal::JournalReader &m_reader;
    journal::ContestJournal &m_contest;
    // The confirmation of a new name takes the focus from the editor, which
    // would commit it a second time.
    mutable bool m_confirming = false;
};

} // namespace orlo
