#include "orlo_program.h"

#include "journal_files.h"
#include "journal_problem_notice.h"
#include "journal_reader.h"
#include "journal_words.h"
#include "standings_reader.h"
#include "spreadsheet_commands.h"
#include "tahoma_font.h"

#include <QAction>
#include <QApplication>
#include <QShortcut>
#include <QWindow>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace orlo {

namespace {

// Text boxes lay out their text once in the application's font before they
// take the sheet's: with the sheet's font standing in while the window is
// made, no font is loaded that the window never shows. Returns the
// application's own font, put back once the sheet is made.
QFont sheetFontStandingIn()
{
    const QFont systemFont = QApplication::font();
    QApplication::setFont(tahomaBold());
    return systemFont;
}

// Passes the sheet's flight to the journal's recorder and, once it is
// recorded, tells whoever shows the standings.
class RecordedFlights final : public FlightObserver {
public:
    RecordedFlights(FlightObserver &recorder, std::function<void()> recorded)
        : m_recorder(recorder), m_recorded(std::move(recorded))
    {
    }
    void calculated(const CalculationRecord &calculation) override
    {
        m_recorder.calculated(calculation);
        m_recorded();
    }
    void flightEnded() override { m_recorder.flightEnded(); }

private:
    FlightObserver &m_recorder;
    std::function<void()> m_recorded;
};

// The standings from the journal file: read over a reader of their own on
// the window's worker thread, which keeps what it read so that a read after
// a flight recorded reads that flight alone; the contest's settings read over
// a reader too and changed over a recording connection opened for the change alone.
StandingsSource standingsIn(const std::string &journalPath)
{
    auto standings = std::make_shared<journal::StandingsReader>(journalPath);
    return {[standings] { return standings->read(); },
            [journalPath] { return journal::JournalReader(journalPath).contest(); },
            [journalPath](const contest::ContestSettings &contest) {
                journal::ContestJournal(journalPath).setContest(contest);
            },
            [journalPath](const contest::Results &results, const std::string &path) {
                // Only SQLite opens the journal: see file_dialog.cpp.
                if (journal::isJournalFile(path, journalPath))
                    throw std::runtime_error("that is the flight journal itself");
                const ResultsFormat *format = resultsFormatOf(QString::fromStdString(path));
                if (!format)
                    throw std::runtime_error("its name ends in none of " + resultsExtensions().toStdString());
                format->write(results, path);
            }};
}

} // namespace

OrloProgram::OrloProgram(const QString &journalPath)
    : m_journal(journalPath.isEmpty() ? nullptr : std::make_unique<journal::FlightJournal>(journalPath.toStdString())),
      m_recorder(m_journal ? std::make_unique<JournalRecorder>(*m_journal) : nullptr),
      m_flights(m_journal ? std::make_unique<FlightsWindowOpener>(*m_journal, *m_recorder) : nullptr),
      m_systemFont(sheetFontStandingIn()), m_landing(m_sheet)
{
    QApplication::setFont(m_systemFont);
    // The Standings window, once open, reads the journal again after every change to it.
    const auto standingsMayChange = [this] {
        if (m_standings)
            m_standings->journalChanged();
    };
    if (m_recorder)
        m_recorded = std::make_unique<RecordedFlights>(*m_recorder, standingsMayChange);
    m_sheet.rules().setObserver(m_recorded.get());
    m_sheet.setLandingDialog([this] { m_landing.open(); }, [this] { m_landing.close(); });
    QObject::connect(&m_sheet, &ScoreSheetWindow::closed, &m_sheet, [this] { m_landing.sheetClosed(); });
    if (!m_journal)
        return;
    m_journal->setProblemHandler([this](const journal::JournalNotice &notice) {
        const std::string problem = journalSentence(notice);
        std::fprintf(stderr, "Orlo_Score: %s\n", problem.c_str());
        JournalProblemNotice::showLater(QString::fromStdString(problem), &m_sheet);
    });
    QObject::connect(&m_sheet, &ScoreSheetWindow::journalRequested, &m_sheet, [this] { m_flights->open(); });
    m_flights->setSheet(m_sheet);
    m_flights->setJournalChanged(standingsMayChange);
    m_recorder->setWaitingWritten(standingsMayChange);
    // Ctrl+N, a key the sheet has no use for, names the contestant flying next.
    auto *nowFlying = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), &m_sheet);
    QObject::connect(nowFlying, &QShortcut::activated, &m_sheet, [this] { m_flights->pickNowFlying(); });
    auto *standings = new QAction(QStringLiteral("Standings…"), &m_sheet);
    standings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    m_sheet.addAction(standings);
    QObject::connect(standings, &QAction::triggered, &m_sheet, [this] { openStandings(); });
}

void OrloProgram::openStandings()
{
    if (!m_journal)
        return;
    if (!m_standings)
        m_standings = std::make_unique<StandingsWindow>(standingsIn(m_journal->path()));
    m_standings->setWindowState(m_standings->windowState() & ~Qt::WindowMinimized);
    m_standings->show();
    m_standings->raise();
    m_standings->activateWindow();
}

OrloProgram::~OrloProgram() = default;

void OrloProgram::start(FlightsWindow flightsWindow)
{
    m_sheet.fitToScreen();
    m_sheet.show();
    if (m_recorder)
        m_recorder->openAfterFirstFrame(m_sheet.windowHandle());
    m_sheet.activateWindow();
    m_sheet.rules().start();
    if (m_flights && flightsWindow == FlightsWindow::BesideTheSheet)
        m_flights->openBesideAfterFirstFrame(m_sheet);
}

} // namespace orlo
