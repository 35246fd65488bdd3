#include "field_service.h"

#include "contest_changes.h"
#include "field_routes.h"
#include "local_time.h"
#include "journal_words.h"
#include "phone_page.h"
#include "program_module.h"
#include "results_files.h"
#include "series_page.h"
#include "standings_json.h"
#include "standings_reader.h"
#include "tv_page.h"

#include <QFile>
#include <QtConcurrent/QtConcurrentRun>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>

namespace orlo {

namespace {

const std::string htmlType = "text/html; charset=utf-8";
constexpr qint64 watcherMemoryMs = 40000; // a page open asks at least every 25 s, or reloads every 15
constexpr std::size_t qrKept = 16;

// What the pages show of a read, without the time of the read: two reads
// alike give one version.
std::string fingerprintOf(const field::FieldView &view)
{
    field::FieldView bare = view;
    bare.version = 0;
    bare.results.asOf.clear();
    if (!bare.results.unreadAt.empty())
        bare.results.unreadAt = "unread";
    std::string print = field::standingsJson(bare);
    for (const contest::ScoredFlight &flight : view.flights)
        print += '\n' + std::to_string(flight.id) + '|' + std::to_string(flight.entry) + '|'
            + contest::statusName(flight.status) + '|' + flight.classCaption + '|' + flight.score + '|'
            + flight.highSpeedPoints + '|' + flight.lowSpeedPoints + '|' + flight.engineBonus + '|'
            + flight.scalePoints + '|' + flight.landingPoints + '|' + flight.contestant;
    return print;
}

// A host as a browser sends it, fit to be shown and typed: a name or
// address and a port, nothing else.
bool typableHost(const std::string &host)
{
    if (host.empty() || host.size() > 100)
        return false;
    if (!std::all_of(host.begin(), host.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-'
                || c == ':' || c == '[' || c == ']';
        }))
        return false;
    return !(host.starts_with("localhost") || host.starts_with("127.") || host.starts_with("[::1]"));
}

} // namespace

struct FieldService::Drawn {
    field::FieldView view;
    std::string fingerprint;
    std::string json;
    std::string phone;
    std::string series;
};

namespace {

// The service's thread yields to the sheet's: a flight read or a results file
// made for the pages waits while a press is recorded. On Linux the nice value
// is a thread's own.
void yieldToScoring()
{
    static thread_local const bool yielding = [] {
        return setpriority(PRIO_PROCESS, id_t(syscall(SYS_gettid)), 10) == 0;
    }();
    (void)yielding;
}

// Reads the journal and draws what every request of the version shares;
// a failed read keeps the standings read before and says so.
std::shared_ptr<const FieldService::Drawn> drawRead(journal::StandingsReader &reader,
                                                    std::shared_ptr<const FieldService::Drawn> before);

} // namespace

FieldService::FieldService(std::string journalPath, ContestChanges &changes, QObject *parent)
    : FieldService(std::move(journalPath), changes, Settings(), parent)
{
}

FieldService::FieldService(std::string journalPath, ContestChanges &changes, const Settings &settings,
                           QObject *parent)
    : QObject(parent), m_path(std::move(journalPath)), m_settings(settings),
      m_reader(std::make_unique<journal::StandingsReader>(m_path))
{
    connect(&changes, &ContestChanges::changed, this, &FieldService::journalChanged);
    m_pool.setMaxThreadCount(1);
    m_clock.start();
    m_tick.setInterval(1000);
    connect(&m_tick, &QTimer::timeout, this, &FieldService::tick);
    connect(&m_reading, &QFutureWatcher<std::shared_ptr<const Drawn>>::finished, this, &FieldService::takeRead);
}

FieldService::~FieldService()
{
    stop();
}

QString FieldService::start(const QString &address, int port)
{
    if (m_serving)
        return {};
    try {
        m_view = drawRead(*m_reader, m_view);
    } catch (const std::exception &failure) {
        return QString::fromStdString(journalSentence(failure));
    }
    try {
        auto *make = reinterpret_cast<field::MakeHttpServing *>(
            exports::programModuleFunction("orlo_field", "orloHttpServing"));
        m_serving.reset(make(this, m_settings.limits));
    } catch (const std::exception &failure) {
        return QStringLiteral("The page cannot be served: %1").arg(QString::fromStdString(failure.what()));
    }
    if (const std::string why = m_serving->listen(address.toStdString(), port); !why.empty()) {
        m_serving.reset();
        return QStringLiteral("Cannot listen on port %1: %2").arg(port).arg(QString::fromStdString(why));
    }
    m_folder = std::make_unique<QTemporaryDir>();
    m_tick.start();
    return {};
}

void FieldService::stop()
{
    m_tick.stop();
    // Closing the connections first: they answer through this site.
    m_serving.reset();
    m_waiters.clear();
    m_reading.waitForFinished();
    m_pool.waitForDone();
    m_files.clear();
    m_folder.reset();
    if (!m_seen.empty()) {
        m_seen.clear();
        emit watchersChanged(0);
    }
}

std::uint64_t FieldService::version() const
{
    return m_view ? m_view->view.version : 0;
}

int FieldService::port() const
{
    return m_serving ? m_serving->port() : 0;
}

QStringList FieldService::addresses() const
{
    QStringList said;
    if (m_serving)
        for (const std::string &address : m_serving->addresses())
            said << QStringLiteral("http://%1:%2/").arg(QString::fromStdString(address)).arg(m_serving->port());
    return said;
}

int FieldService::qrCode(const QString &text, std::vector<bool> &modules)
{
    static auto *const make = reinterpret_cast<field::MakeQrCode *>(exports::programModuleFunction("orlo_field", "orloQrCode"));
    return make(text.toUtf8().constData(), &modules);
}

void FieldService::journalChanged()
{
    if (!m_serving)
        return;
    if (m_reading.isRunning()) {
        m_readAgain = true;
        return;
    }
    readNow();
}

void FieldService::readNow()
{
    m_readAgain = false;
    journal::StandingsReader *reader = m_reader.get();
    m_reading.setFuture(QtConcurrent::run(&m_pool, [reader, before = m_view] {
        yieldToScoring();
        return drawRead(*reader, before);
    }));
}

void FieldService::takeRead()
{
    if (m_serving)
        m_view = m_reading.result();
    wakeWaiters(false);
    if (m_readAgain && m_serving)
        readNow();
}

field::HttpReply FieldService::jsonReply() const
{
    return {200, "application/json", m_view->json};
}

void FieldService::wakeWaiters(bool all)
{
    const qint64 now = m_clock.elapsed();
    std::vector<Waiter> waking;
    std::erase_if(m_waiters, [&](Waiter &waiter) {
        if (!all && waiter.since == m_view->view.version && waiter.until > now)
            return false;
        waking.push_back(std::move(waiter));
        return true;
    });
    for (Waiter &waiter : waking)
        waiter.respond(waiter.since == m_view->view.version
                           ? field::HttpReply{200, "application/json", field::unchangedJson(waiter.since)}
                           : jsonReply());
}

void FieldService::tick()
{
    wakeWaiters(false);
    const qint64 now = m_clock.elapsed();
    const std::size_t before = m_seen.size();
    std::erase_if(m_seen, [&](const auto &seen) { return now - seen.second > watcherMemoryMs; });
    if (m_seen.size() != before)
        emit watchersChanged(watchers());
}

void FieldService::answer(const field::HttpRequest &request, field::HttpRespond respond)
{
    // As many clients as connections at most are remembered at a time.
    if (m_seen.size() < 4096 || m_seen.contains(request.peer)) {
        const std::size_t before = m_seen.size();
        m_seen[request.peer] = m_clock.elapsed();
        if (m_seen.size() != before)
            emit watchersChanged(watchers());
    }
    const field::Route route = field::routeOf(request.target);
    const Drawn &drawn = *m_view;
    switch (route.kind) {
    case field::Route::NotFound:
        respond({404, {}, "Nothing is here: the standings are at /.\n"});
        return;
    case field::Route::Phone:
        respond({200, htmlType, drawn.phone});
        return;
    case field::Route::Series:
        respond({200, htmlType, drawn.series});
        return;
    case field::Route::Tv: {
        std::string svg;
        const std::string address = tvCorner(request.host, svg);
        respond({200, htmlType, field::tvPage(drawn.view, {address, svg})});
        return;
    }
    case field::Route::Json:
        if (route.since && *route.since == drawn.view.version
            && m_waiters.size() < std::size_t(m_settings.limits.connections)) {
            m_waiters.push_back({*route.since, std::move(respond), m_clock.elapsed() + m_settings.longWaitMs});
            return;
        }
        respond(jsonReply());
        return;
    case field::Route::Contestant:
        if (const std::optional<std::string> page = field::contestantPage(drawn.view, route.entry))
            respond({200, htmlType, *page});
        else
            respond({404, {}, "No contestant of that number stands in this contest.\n"});
        return;
    case field::Route::ResultsFile:
        answerFile(route.extension, std::move(respond));
        return;
    }
}

std::string FieldService::tvCorner(const std::string &host, std::string &svg)
{
    std::string address;
    if (typableHost(host))
        address = "http://" + host + "/";
    else if (const QStringList own = addresses(); !own.isEmpty())
        address = own.front().toStdString();
    if (address.empty())
        return {};
    auto kept = m_qr.find(address);
    if (kept == m_qr.end()) {
        if (m_qr.size() >= qrKept)
            m_qr.clear();
        std::vector<bool> modules;
        const int width = qrCode(QString::fromStdString(address), modules);
        kept = m_qr.emplace(address, width > 0 ? field::qrSvg(modules, width) : std::string()).first;
    }
    svg = kept->second;
    return address;
}

void FieldService::answerFile(const std::string &extension, field::HttpRespond respond)
{
    static const std::map<std::string, std::string> types{
        {".pdf", "application/pdf"},
        {".html", htmlType},
        {".csv", "text/csv; charset=utf-8"},
        {".xlsx", "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"}};
    ResultsFile &file = m_files[extension];
    const std::uint64_t version = m_view->view.version;
    if (file.version == version && !file.making && !file.bytes.empty()) {
        respond({200, types.at(extension), file.bytes});
        return;
    }
    file.waiting.push_back(std::move(respond));
    if (file.making)
        return;
    file.making = true;
    // Made once a version, on the reader's thread, in a folder of this program's own.
    const QString path = m_folder->filePath(QStringLiteral("results%1").arg(QString::fromStdString(extension)));
    auto *watcher = new QFutureWatcher<std::string>(this);
    connect(watcher, &QFutureWatcher<std::string>::finished, this, [this, watcher, extension, version] {
        watcher->deleteLater();
        auto found = m_files.find(extension);
        if (found == m_files.end())
            return;
        ResultsFile &made = found->second;
        made.making = false;
        made.bytes = watcher->result();
        made.version = version;
        std::vector<field::HttpRespond> waiting = std::move(made.waiting);
        made.waiting.clear();
        for (field::HttpRespond &each : waiting)
            made.bytes.empty() ? each({500, {}, "The results file could not be made.\n"})
                               : each({200, types.at(extension), made.bytes});
    });
    watcher->setFuture(QtConcurrent::run(&m_pool, [results = m_view->view.results, path]() -> std::string {
        yieldToScoring();
        const ResultsFormat *format = resultsFormatOf(path);
        try {
            format->write(results, path.toStdString());
        } catch (const std::exception &) {
            return {};
        }
        QFile written(path);
        if (!written.open(QIODevice::ReadOnly))
            return {};
        const QByteArray bytes = written.readAll();
        written.remove();
        return bytes.toStdString();
    }));
}

namespace {

std::shared_ptr<const FieldService::Drawn> drawRead(journal::StandingsReader &reader,
                                                    std::shared_ptr<const FieldService::Drawn> before)
{
    auto drawn = std::make_shared<FieldService::Drawn>();
    try {
        drawn->view.results = reader.read();
        drawn->view.flights = reader.flights();
        drawn->view.series = reader.series();
        drawn->view.upNext = reader.upNext();
    } catch (const std::exception &) {
        if (!before)
            throw;
        drawn->view = before->view;
        if (drawn->view.results.unreadAt.empty())
            drawn->view.results.unreadAt = journal::localTimeText(std::time(nullptr), "%Y-%m-%dT%H:%M:%S%z");
    }
    drawn->fingerprint = fingerprintOf(drawn->view);
    // The series changes with another contest's results too (a merge, another program's flight).
    const bool same = before && drawn->fingerprint == before->fingerprint && drawn->view.series == before->view.series;
    drawn->view.version = !before ? 1 : before->view.version + (same ? 0 : 1);
    drawn->json = field::standingsJson(drawn->view);
    drawn->phone = field::phonePage(drawn->view);
    drawn->series = field::seriesPage(drawn->view);
    return drawn;
}

} // namespace

} // namespace orlo
