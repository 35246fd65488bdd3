#include "orlo_program.h"

#include "flight_remarks.h"
#include "standings_sources.h"
#include "call_list_reading.h"
#include "journal_problem_notice.h"
#include "journal_reader.h"
#include "journal_schema.h"
#include "journal_words.h"
#include "manual_window.h"
#include "season_dialogs.h"
#include "file_commands.h"
#include "tahoma_font.h"
#include "window_place.h"
#include "after_first_frame.h"

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QWindow>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace orlo {

namespace {

// Said in the sheet's title of a second program on the same journal, and
// how far down and to the right of the first program's its sheet opens.
const QString openElsewhereTitle = QStringLiteral("another program has this journal open");
constexpr int secondProgramOffset = 64;

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

// The class chosen on the sheet, as a calculation would record it.
std::string classShown(const ScoreSheetWindow &sheet)
{
    for (std::size_t option = 0; option < eventClasses.size(); ++option)
        if (sheet.isSelected(ctl::Class(int(option))))
            return sheet.caption(ctl::Class(int(option)));
    return {};
}

// Shows a window the director asked for in front with the keyboard, restored should it be minimized.
void showInFront(QWidget &window)
{
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

OrloProgram::OrloProgram(const QString &journalPath)
    : m_mark(journalPath.isEmpty() ? nullptr
                                   : std::make_unique<JournalInUseMark>(
                                         journalPath, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))),
      m_journal(journalPath.isEmpty() ? nullptr : std::make_unique<journal::FlightJournal>(journalPath.toStdString())),
      m_changes(m_journal ? std::make_unique<ContestChanges>(m_journal->path()) : nullptr),
      m_recorder(m_journal ? std::make_unique<JournalRecorder>(*m_journal, *m_changes) : nullptr),
      m_flights(m_journal ? std::make_unique<FlightsWindowOpener>(*m_journal, *m_recorder, *m_changes) : nullptr),
      m_systemFont(sheetFontStandingIn()), m_landing(m_sheet)
{
    QApplication::setFont(m_systemFont);
    m_sheet.rules().setObserver(m_recorder.get());
    m_sheet.setLandingDialog([this] { m_landing.open(); }, [this] { m_landing.close(); });
    QObject::connect(&m_sheet, &ScoreSheetWindow::closed, &m_sheet, [this] { m_landing.sheetClosed(); });
    // F1 in whichever of the program's windows is active.
    auto *manual = new QShortcut(QKeySequence(Qt::Key_F1), &m_sheet, nullptr, nullptr, Qt::ApplicationShortcut);
    QObject::connect(manual, &QShortcut::activated, &m_sheet, [this] { openManual(); });
    if (!m_journal)
        return;
    m_journal->setProblemHandler([this](const journal::JournalNotice &notice) {
        const std::string problem = journalSentence(notice);
        std::fprintf(stderr, "Orlo_Score: %s\n", problem.c_str());
        JournalProblemNotice::showLater(QString::fromStdString(problem), &m_sheet);
    });
    QObject::connect(m_changes.get(), &ContestChanges::changed, &m_sheet,
                     [this](ContestChange what) { contestChanged(what); });
    QObject::connect(&m_sheet, &ScoreSheetWindow::journalRequested, &m_sheet, [this] { m_flights->open(); });
    m_flights->setSheet(m_sheet);
    // Named as flying next: told at once when the class on the sheet will not count the flight.
    m_flights->setNamed([this](std::int64_t entry) {
        JournalProblemNotice::showRemark(
            remarkOn(m_journal->path(), entry, classShown(m_sheet), 0), &m_sheet);
    });
    // Ctrl+N, a key the sheet has no use for, names the contestant flying next.
    auto *nowFlying = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), &m_sheet);
    QObject::connect(nowFlying, &QShortcut::activated, &m_sheet, [this] { m_flights->pickNowFlying(); });
    auto *standings = new QAction(QStringLiteral("Standings…"), &m_sheet);
    standings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    m_sheet.addAction(standings);
    QObject::connect(standings, &QAction::triggered, &m_sheet, [this] { openStandings(); });
    auto *order = new QAction(QStringLiteral("Flight order…"), &m_sheet);
    order->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    m_sheet.addAction(order);
    QObject::connect(order, &QAction::triggered, &m_sheet, [this] { openFlightOrder(); });
    // The season's contests, by keys the sheet has no use for.
    auto *network = new QAction(QStringLiteral("Show on the network…"), &m_sheet);
    network->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
    m_sheet.addAction(network);
    QObject::connect(network, &QAction::triggered, &m_sheet, [this] { openNetwork(); });
    auto *newContest = new QAction(QStringLiteral("New contest…"), &m_sheet);
    newContest->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    m_sheet.addAction(newContest);
    QObject::connect(newContest, &QAction::triggered, &m_sheet, [this] { openContests(ContestsShown::NewContest); });
    auto *contests = new QAction(QStringLiteral("Contests…"), &m_sheet);
    contests->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    m_sheet.addAction(contests);
    QObject::connect(contests, &QAction::triggered, &m_sheet, [this] { openContests(ContestsShown::List); });
}

void OrloProgram::openContests(ContestsShown shown)
{
    if (!m_journal)
        return;
    auto *list = new ContestListDialog(m_journal->path(), &m_sheet);
    list->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(list, &ContestListDialog::currentChanged, &m_sheet,
                     [this] { m_changes->tell(ContestChange::CurrentContest); });
    list->open();
    if (shown == ContestsShown::NewContest)
        list->startNew();
}

void OrloProgram::contestChanged(ContestChange what)
{
    // Who flies next follows every change: a flight recorded or corrected,
    // an entry withdrawn, the order changed, another table's merge.
    if (what != ContestChange::FlightEnded)
        callTheNext();
    switch (what) {
    case ContestChange::FlightRecorded:
        remarkOnTheFlight();
        return;
    case ContestChange::FlightEnded:
        return;
    case ContestChange::CurrentContest:
        // Nobody of the contest before is flying.
        m_recorder->nowFlying(0);
        break;
    default:
        break;
    }
    // Renamed, given other days, made current: the sheet's title says which contest it records into.
    nameTheContest();
}

void OrloProgram::remarkOnTheFlight()
{
    if (!m_journal->isWorking())
        return; // the official was told why the journal is not kept
    QString remark = remarkOn(m_journal->path(), m_journal->nowFlyingEntry(), classShown(m_sheet),
                              m_journal->flightOnTheSheet());
    const QString outside = outsideTheDaysOnce();
    if (!outside.isEmpty())
        remark = remark.isEmpty() ? outside : remark + QLatin1Char(' ') + outside;
    JournalProblemNotice::showRemark(remark, &m_sheet);
}

void OrloProgram::nameTheContest()
{
    QString contest;
    try {
        contest = QString::fromStdString(journal::JournalReader(m_journal->path()).contest().name);
    } catch (const std::exception &problem) {
        // The sheet keeps the name it showed; the flights window says why.
        std::fprintf(stderr, "Orlo_Score: %s\n", problem.what());
        return;
    }
    QString title = contest.isEmpty() ? QStringLiteral("Orlo Carrier Scoring Program")
                                      : QStringLiteral("Orlo Carrier Scoring Program: %1").arg(contest);
    if (journalOpenElsewhere())
        title += QStringLiteral(" (%1)").arg(openElsewhereTitle);
    m_sheet.setWindowTitle(title);
}

void OrloProgram::openFlightOrder()
{
    if (!m_journal)
        return;
    if (!m_order) {
        m_order = std::make_unique<FlightOrderWindow>(m_journal->path(), *m_changes);
        if (!restorePlace(*m_order, QStringLiteral("order")))
            placeBeside(*m_order, m_sheet);
        keepPlace(*m_order, QStringLiteral("order"));
    } else {
        m_order->reload();
    }
    showInFront(*m_order);
}

void OrloProgram::callTheNext()
{
    if (!m_journal)
        return;
    QString line;
    try {
        const journal::JournalReader reader(m_journal->path());
        line = QString::fromStdString(contest::upNextLine(contest::upNext(journal::readCallList(reader))));
    } catch (const std::exception &problem) {
        std::fprintf(stderr, "Orlo_Score: %s\n", problem.what());
    }
    m_sheet.setCallLine(line);
}

void OrloProgram::openStandings()
{
    if (!m_journal)
        return;
    if (!m_standings) {
        StandingsSource source = standingsIn(m_journal->path());
        source.flightOrder = [this] { openFlightOrder(); };
        source.showOnNetwork = [this] { openNetwork(); };
        m_standings = std::make_unique<StandingsWindow>(std::move(source), *m_changes);
        // Where the director put it last time, else beside the sheet, clear of it on a screen wide enough.
        if (!restorePlace(*m_standings, QStringLiteral("standings"), &m_sheet))
            placeBeside(*m_standings, m_sheet);
        keepPlace(*m_standings, QStringLiteral("standings"));
    }
    showInFront(*m_standings);
}

void OrloProgram::openNetwork()
{
    if (!m_journal)
        return;
    if (!m_network) {
        m_network = std::make_unique<NetworkWindow>(m_journal->path(), *m_changes);
        if (!restorePlace(*m_network, QStringLiteral("network"), &m_sheet))
            placeBeside(*m_network, m_sheet);
        keepPlace(*m_network, QStringLiteral("network"));
    }
    showInFront(*m_network);
}

void OrloProgram::openManual()
{
    if (!m_manual) {
        m_manual = std::make_unique<ManualWindow>();
        if (!restorePlace(*m_manual, QStringLiteral("manual")))
            placeBeside(*m_manual, m_sheet);
        keepPlace(*m_manual, QStringLiteral("manual"));
    }
    showInFront(*m_manual);
}

QString OrloProgram::outsideTheDaysOnce()
{
    // The day the journal stamped on the flight, not the computer's at this
    // remark: a flight recorded a second before midnight is of that day in
    // the journal, and is said of that day here.
    const std::int64_t flight = m_journal->flightOnTheSheet();
    if (flight == 0)
        return {}; // the calculation waits for the file, which the official is told of
    contest::ContestSettings contest;
    std::string day;
    try {
        const journal::JournalReader reader(m_journal->path());
        const std::vector<journal::StoredCalculation> calculations = reader.calculations(flight);
        if (calculations.empty())
            return {};
        day = calculations.back().recordedAt.substr(0, 10); // "YYYY-MM-DD" of its local time
        contest = reader.contest();
    } catch (const std::exception &problem) {
        std::fprintf(stderr, "Orlo_Score: %s\n", problem.what());
        return {};
    }
    const QString remark = outsideTheDays(contest, day);
    // Once for a contest and its days: the director knows after the first flight.
    const std::string told = contest.name + '\t' + contest.firstDay + '\t' + contest.lastDay;
    if (remark.isEmpty() || told == m_toldOutsideTheDays)
        return {};
    m_toldOutsideTheDays = told;
    return remark;
}

OrloProgram::~OrloProgram() = default;

void OrloProgram::start(FlightsWindow flightsWindow)
{
    m_sheet.fitToScreen();
    // Where the director put it last time, else in the screen's top left
    // corner, leaving the room on its right to the windows opened beside it.
    if (!restorePlace(m_sheet, QStringLiteral("sheet")))
        m_sheet.move(m_sheet.screen()->availableGeometry().topLeft());
    keepPlace(m_sheet, QStringLiteral("sheet"));
    if (journalOpenElsewhere()) {
        // The other program's windows are where the places kept put them:
        // this one's sheet opens down and to the right of there, and the
        // windows opened from it beside it, none at a kept place or keeping one.
        keepPlacesIn({});
        const QRect available = m_sheet.screen()->availableGeometry();
        const QRect frame = m_sheet.frameGeometry();
        m_sheet.move(std::min(frame.left() + secondProgramOffset, std::max(available.left(), available.right() + 1 - frame.width())),
                     std::min(frame.top() + secondProgramOffset, std::max(available.top(), available.bottom() + 1 - frame.height())));
        m_sheet.setWindowTitle(m_sheet.windowTitle() + QStringLiteral(" (%1)").arg(openElsewhereTitle));
        JournalProblemNotice::showRemark(QStringLiteral("Another Orlo Score program has this journal open and records "
                                                        "into it too."),
                                         &m_sheet);
    }
    m_sheet.show();
    if (m_recorder) {
        m_recorder->openAfterFirstFrame(m_sheet.windowHandle());
        afterFirstFrame(m_sheet.windowHandle(), [this] {
            nameTheContest();
            callTheNext();
        });
    }
    m_sheet.activateWindow();
    m_sheet.rules().start();
    if (m_flights && flightsWindow == FlightsWindow::BesideTheSheet)
        m_flights->openBesideAfterFirstFrame(m_sheet);
}

} // namespace orlo
