#pragma once

#include "entries.h"
#include "registration_file.h"
#include "scored_flight.h"

#include <QByteArray>
#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace orlo {

// What "Import CSV…" shows before anything is added: the first entries as
// they will be imported, the columns they are read from (the director may
// choose others), the class each event of a per-event file is read as (the
// director may choose another), what is left out, the classes the file
// changes for entries listed already, and the problems whole. Import is
// offered only for a file without problems: the list takes all of it or
// nothing.
class ImportPreview final : public QDialog {
    Q_OBJECT
public:
    // listed and flights: the contest's entries and flights, for the changes
    // of classes the file makes.
    ImportPreview(const QString &fileName, QByteArray file, std::vector<contest::Entry> listed,
                  std::vector<contest::ScoredFlight> flights, QWidget *parent);

    // The file as read with the columns chosen now.
    const Registration &registration() const { return m_read; }

    // How many entries the preview shows, the rest counted.
    static constexpr int shownRows = 20;

private:
    void read();
    void fillChoices();
    void showEvents();
    void showChanges();

    QByteArray m_file;
    std::vector<contest::Entry> m_listed;
    std::vector<contest::ScoredFlight> m_flights;
    Registration m_read;
    EventClasses m_eventClasses;
    QTableWidget *m_events = nullptr;
    QListWidget *m_changes = nullptr;
    QComboBox *m_name = nullptr;
    QComboBox *m_number = nullptr;
    QComboBox *m_classes = nullptr;
    QTableWidget *m_rows = nullptr;
    QLabel *m_columns = nullptr;
    QListWidget *m_problems = nullptr;
    QPushButton *m_import = nullptr;
};

} // namespace orlo
