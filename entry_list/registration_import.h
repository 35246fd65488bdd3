#pragma once

#include "contest_journal.h"
#include "journal_reader.h"
#include "registration_file.h"

#include <QObject>

#include <cstdint>
#include <functional>

class QThread;
class QWidget;

namespace orlo {

// "Import CSV…" once the file is chosen. The file is shown in a preview
// first (ImportPreview); what the director imports from it is written on a
// thread of its own, on a connection of its own, so the sheet and the entry
// list go on meanwhile; the outcome is told when it is done. One import at a
// time.
class RegistrationImport final : public QObject {
    Q_OBJECT
public:
    // reader reads the entries the preview shows the file's changes to;
    // listed names the contest the entries join, asked when the import
    // begins. window, the entry list, is what the preview and the problems'
    // box block: the sheet scores on meanwhile.
    RegistrationImport(const journal::JournalReader &reader, std::function<std::int64_t()> listed, QWidget *window);
    // Waits for an import under way: it holds the journal briefly at its end.
    ~RegistrationImport() override;

    void importFrom(const QString &fileName);

signals:
    // What the status line says of the import.
    void said(const QString &status);
    void underWay(bool importing);
    // The import added or changed entries.
    void imported();

private:
    void importRows(const QString &fileName, const Registration &read);
    // Says what an import came to: the file unreadable, the problems that stopped it, or what it added.
    void tellImported(const QString &fileName, const QString &unreadable, const std::vector<std::string> &problems,
                      const journal::ImportOutcome &outcome, const QString &columns);

    const journal::JournalReader &m_reader;
    std::function<std::int64_t()> m_listed;
    QWidget *m_window;
    QThread *m_importing = nullptr;
};

} // namespace orlo
