#pragma once

#include "journal_exports.h"

#include <QObject>

#include <functional>

class QThread;

namespace orlo {

// An export or a backup of the journal, run on a thread of its own over a
// connection of its own: a season's flights take seconds to read and write,
// and the sheet scores on meanwhile. One at a time.
class FlightExportJob final : public QObject {
    Q_OBJECT
public:
    explicit FlightExportJob(QObject *parent = nullptr);
    // A job still running is waited for: it reads the journal and writes its
    // file, and ends on its own.
    ~FlightExportJob() override;

    // Starts the work unless another is running; returns whether it started.
    bool start(std::function<JournalExport()> work);

signals:
    // The work ended, on this object's thread, with what it did.
    void finished(const orlo::JournalExport &outcome);

private:
    QThread *m_thread = nullptr;
};

} // namespace orlo
