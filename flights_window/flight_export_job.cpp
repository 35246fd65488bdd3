#include "flight_export_job.h"

#include <QThread>

#include <memory>

namespace orlo {

FlightExportJob::FlightExportJob(QObject *parent) : QObject(parent) {}

FlightExportJob::~FlightExportJob()
{
    if (m_thread)
        m_thread->wait();
}

bool FlightExportJob::start(std::function<JournalExport()> work)
{
    if (m_thread)
        return false;
    auto outcome = std::make_shared<JournalExport>();
    m_thread = QThread::create([work = std::move(work), outcome] { *outcome = work(); });
    m_thread->setParent(this);
    connect(m_thread, &QThread::finished, this, [this, outcome] {
        m_thread->deleteLater();
        m_thread = nullptr;
        emit finished(*outcome);
    });
    m_thread->start();
    return true;
}

} // namespace orlo

#include "moc_flight_export_job.cpp"
