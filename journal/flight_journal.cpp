#include "flight_journal.h"

#include "journal_schema.h"
#include "sqlite_library.h"
#include "sqlite_statement.h"

#include <array>
#include <cstdlib>
#include <filesystem>

namespace orlo::journal {

namespace {

// The texts of a calculation, in the order of calculationColumns.
template <typename Record>
auto textsOf(Record &record)
{
    return std::array{&record.classCaption,     &record.highSpeedWatches[0], &record.highSpeedWatches[1],
                      &record.lowSpeedWatches[0], &record.lowSpeedWatches[1],  &record.highSpeedTime,
                      &record.highSpeedMph,     &record.highSpeedPoints,     &record.lowSpeedTime,
                      &record.lowSpeedMph,      &record.lowSpeedPoints,      &record.engines[0],
                      &record.engines[1],       &record.scalePoints,         &record.landingPoints,
                      &record.score};
}

#define ORLO_CALCULATION_COLUMNS                                                                               \
    "recorded_at, class_caption, hs_watch_1, hs_watch_2, ls_watch_1, ls_watch_2, hs_time, hs_mph, hs_points, " \
    "ls_time, ls_mph, ls_points, engines_entered, engines_running, scale_points, landing_points, score, summary"

// The summary lines in one column: joined by line feeds, with a backslash
// escaping a line feed or backslash inside a line, so every line comes back
// exactly as shown.
std::string joinLines(const std::vector<std::string> &lines)
{
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            joined += '\n';
        for (const char c : lines[i]) {
            if (c == '\\' || c == '\n')
                joined += '\\';
            joined += c == '\n' ? 'n' : c;
        }
    }
    return joined;
}

std::vector<std::string> splitLines(const std::string &joined)
{
    std::vector<std::string> lines;
    if (joined.empty())
        return lines;
    lines.emplace_back();
    for (std::size_t i = 0; i < joined.size(); ++i) {
        if (joined[i] == '\n')
            lines.emplace_back();
        else if (joined[i] == '\\' && i + 1 < joined.size())
            lines.back() += joined[++i] == 'n' ? '\n' : joined[i];
        else
            lines.back() += joined[i];
    }
    return lines;
}

// Reads the columns "id, " ORLO_CALCULATION_COLUMNS starting at column first.
StoredCalculation readCalculation(const Statement &row, int first)
{
    StoredCalculation stored;
    stored.id = row.integer(first);
    stored.recordedAt = row.text(first + 1);
    int column = first + 2;
    for (std::string *text : textsOf(stored.values))
        *text = row.text(column++);
    stored.values.summary = splitLines(row.text(column));
    return stored;
}

} // namespace

struct FlightJournal::Impl {
    std::string path;
    sqlite3 *db = nullptr;
    std::string problem;
    bool told = false;
    std::function<void(const std::string &)> problemHandler;
    std::function<std::time_t()> clock = [] { return std::time(nullptr); };
    bool inOneTransaction = false;
    bool opened = false;

    // The flight on the sheet, once its first calculation is recorded.
    std::optional<std::int64_t> flight;
    CalculationRecord lastRecorded;

    // Each event is told once: a damaged file moved aside at the opening, and
    // the failure that ends the recording; a handler set later hears the last.
    void tell(const std::string &sentence)
    {
        problem = sentence;
        told = false;
        if (!problemHandler)
            return;
        told = true;
        problemHandler(problem);
    }

    // A journal that failed once records nothing more: the official has
    // been told, and a file that refuses writes would stall every press.
    void fail(const std::string &what)
    {
        close();
        tell("The flight journal " + path + " failed (" + what + ") and keeps nothing more. Scoring goes on without it.");
    }

    // The file is opened at its first use, not at start-up: a first start
    // creating it, or a slow disk, never holds up the sheet's first frame.
    sqlite3 *database()
    {
        if (opened)
            return db;
        opened = true;
        try {
            std::string notice;
            db = openJournal(path, notice);
            if (!notice.empty())
                tell(notice);
        } catch (const std::exception &problem) {
            tell(problem.what());
        }
        return db;
    }

    // Without a file open, SQLite may never have been loaded.
    void close()
    {
        if (db)
            sqlite().close_v2(db);
        db = nullptr;
    }

    void record(const CalculationRecord &calculation);

    // Runs work on the open journal; without one, or when the work fails
    // (the journal then keeping nothing more), the answer is none.
    template <typename Work>
    auto guarded(Work work) -> decltype(work())
    {
        if (!database())
            return {};
        try {
            return work();
        } catch (const std::exception &error) {
            fail(error.what());
            return {};
        }
    }

    // The first column of every row of a query without parameters.
    std::vector<std::string> column(const char *sql)
    {
        return guarded([&] {
            std::vector<std::string> texts;
            Statement query(db, sql);
            while (query.step())
                texts.push_back(query.text(0));
            return texts;
        });
    }
};

FlightJournal::FlightJournal(std::string path) : m_impl(std::make_unique<Impl>())
{
    m_impl->path = std::move(path);
}

FlightJournal::~FlightJournal()
{
    m_impl->close();
}

void FlightJournal::setProblemHandler(std::function<void(const std::string &)> handler)
{
    m_impl->problemHandler = std::move(handler);
    if (!m_impl->problem.empty() && !m_impl->told)
        m_impl->tell(m_impl->problem);
}

bool FlightJournal::isWorking() const
{
    return m_impl->database() != nullptr;
}

const std::string &FlightJournal::problem() const
{
    m_impl->database();
    return m_impl->problem;
}

const std::string &FlightJournal::path() const
{
    return m_impl->path;
}

void FlightJournal::setClock(std::function<std::time_t()> clock)
{
    m_impl->clock = std::move(clock);
}

void FlightJournal::Impl::record(const CalculationRecord &calculation)
{
    const std::string recordedAt = localTimeText(clock(), "%Y-%m-%dT%H:%M:%S%z");
    std::optional<WriteTransaction> transaction;
    if (!inOneTransaction)
        transaction.emplace(db);
    std::int64_t flightId = 0;
    if (flight) {
        flightId = *flight;
    } else {
        Statement(db, "INSERT INTO flight DEFAULT VALUES").run();
        flightId = sqlite().last_insert_rowid(db);
    }
    Statement insert(db, "INSERT INTO calculation (flight, " ORLO_CALCULATION_COLUMNS ", day) "
                         "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, "
                         "?19, ?20)");
    insert.bind(1, flightId).bind(2, recordedAt);
    int position = 3;
    for (const std::string *text : textsOf(calculation))
        insert.bind(position++, *text);
    insert.bind(position, joinLines(calculation.summary)).bind(position + 1, recordedAt.substr(0, 10));
    insert.run();
    Statement(db, "UPDATE flight SET last_calculation = ?1, calculation_count = calculation_count + 1 "
                  "WHERE id = ?2")
        .bind(1, sqlite().last_insert_rowid(db))
        .bind(2, flightId)
        .run();
    if (transaction)
        transaction->commit();
    flight = flightId;
    lastRecorded = calculation;
}

void FlightJournal::calculated(const CalculationRecord &calculation)
{
    if (!m_impl->database() || (m_impl->flight && calculation == m_impl->lastRecorded))
        return;
    try {
        m_impl->record(calculation);
    } catch (const std::exception &error) {
        if (m_impl->inOneTransaction)
            throw; // recordInOneTransaction rolls back first
        m_impl->fail(error.what());
    }
}

std::int64_t FlightJournal::currentFlight() const
{
    return m_impl->flight.value_or(0);
}

void FlightJournal::flightEnded()
{
    m_impl->flight.reset();
}

void FlightJournal::recordInOneTransaction(const std::function<void(FlightObserver &)> &record)
{
    if (!m_impl->database())
        return;
    try {
        WriteTransaction transaction(m_impl->db);
        m_impl->inOneTransaction = true;
        record(*this);
        m_impl->inOneTransaction = false;
        transaction.commit();
    } catch (const std::exception &error) {
        m_impl->inOneTransaction = false;
        m_impl->fail(error.what());
    }
}

std::vector<FlightRow> FlightJournal::flights(const FlightFilter &filter) const
{
    return flights(filter, 0, -1);
}

// The flights' last calculations that pass the filter in ?1 (day) and ?2 (class).
#define ORLO_FILTERED_FLIGHTS                                            \
    " FROM flight f JOIN calculation c ON c.id = f.last_calculation"     \
    " WHERE (?1 = '' OR c.day = ?1) AND (?2 = '' OR c.class_caption = ?2)"

std::vector<FlightRow> FlightJournal::flights(const FlightFilter &filter, std::int64_t olderThan, int limit) const
{
    return m_impl->guarded([&] {
        std::vector<FlightRow> rows;
        // A negative limit is none, to SQLite.
        Statement query(m_impl->db, "SELECT f.id, f.contestant, f.calculation_count, c.id, " ORLO_CALCULATION_COLUMNS
                                    ORLO_FILTERED_FLIGHTS " AND (?3 = 0 OR f.id < ?3) ORDER BY f.id DESC LIMIT ?4");
        query.bind(1, filter.day).bind(2, filter.classCaption).bind(3, olderThan).bind(4, std::int64_t(limit));
        while (query.step()) {
            FlightRow &row = rows.emplace_back();
            row.id = query.integer(0);
            row.contestant = query.text(1);
            row.calculationCount = static_cast<int>(query.integer(2));
            row.last = readCalculation(query, 3);
        }
        return rows;
    });
}

int FlightJournal::flightCount(const FlightFilter &filter) const
{
    return m_impl->guarded([&] {
        // Unfiltered, the flights alone are counted, without their calculations.
        const bool filtered = !filter.day.empty() || !filter.classCaption.empty();
        Statement query(m_impl->db, filtered ? "SELECT count(*)" ORLO_FILTERED_FLIGHTS
                                             : "SELECT count(*) FROM flight WHERE last_calculation IS NOT NULL");
        if (filtered)
            query.bind(1, filter.day).bind(2, filter.classCaption);
        return query.step() ? static_cast<int>(query.integer(0)) : 0;
    });
}

std::vector<StoredCalculation> FlightJournal::calculations(std::int64_t flightId) const
{
    return m_impl->guarded([&] {
        std::vector<StoredCalculation> calculations;
        Statement query(m_impl->db, "SELECT id, " ORLO_CALCULATION_COLUMNS
                                    " FROM calculation WHERE flight = ?1 ORDER BY id");
        query.bind(1, flightId);
        while (query.step())
            calculations.push_back(readCalculation(query, 0));
        return calculations;
    });
}

bool FlightJournal::setContestant(std::int64_t flightId, std::string_view contestant)
{
    return m_impl->guarded([&] {
        Statement update(m_impl->db, "UPDATE flight SET contestant = ?1 WHERE id = ?2");
        update.bind(1, contestant).bind(2, flightId).run();
        return sqlite().changes(m_impl->db) == 1;
    });
}

std::vector<std::string> FlightJournal::days() const
{
    return m_impl->column("SELECT DISTINCT day FROM calculation ORDER BY day DESC");
}

std::vector<std::string> FlightJournal::classCaptions() const
{
    return m_impl->column("SELECT DISTINCT class_caption FROM calculation ORDER BY class_caption");
}

std::string defaultJournalPath()
{
    namespace fs = std::filesystem;
    const auto environment = [](const char *name) -> std::string {
        const char *value = std::getenv(name);
        return value ? value : "";
    };
    fs::path folder;
#if defined(_WIN32)
    folder = environment("LOCALAPPDATA");
#elif defined(__APPLE__)
    folder = fs::path(environment("HOME")) / "Library" / "Application Support";
#else
    // A relative XDG_DATA_HOME is invalid and ignored, as the base directory rules say.
    folder = environment("XDG_DATA_HOME");
    if (folder.empty() || folder.is_relative())
        folder = fs::path(environment("HOME")) / ".local" / "share";
#endif
    return (folder / "orlo-score" / "journal.sqlite").string();
}

} // namespace orlo::journal
