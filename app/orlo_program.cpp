#include "orlo_program.h"

#include "journal_problem_notice.h"
#include "tahoma_font.h"

#include <QApplication>
#include <QShortcut>

#include <cstdio>

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

} // namespace

OrloProgram::OrloProgram(const QString &journalPath)
    : m_journal(journalPath.isEmpty() ? nullptr : std::make_unique<journal::FlightJournal>(journalPath.toStdString())),
      m_flights(m_journal ? std::make_unique<FlightsWindowLauncher>(*m_journal) : nullptr),
      m_systemFont(sheetFontStandingIn()), m_landing(m_sheet)
{
    QApplication::setFont(m_systemFont);
    m_sheet.rules().setObserver(m_flights.get());
    m_sheet.setLandingDialog([this] { m_landing.open(); }, [this] { m_landing.close(); });
    QObject::connect(&m_sheet, &ScoreSheetWindow::closed, &m_sheet, [this] { m_landing.sheetClosed(); });
    if (!m_journal)
        return;
    m_journal->setProblemHandler([this](const std::string &problem) {
        std::fprintf(stderr, "Orlo_Score: %s\n", problem.c_str());
        JournalProblemNotice::showLater(QString::fromStdString(problem), &m_sheet);
    });
    QObject::connect(&m_sheet, &ScoreSheetWindow::journalRequested, &m_sheet, [this] { m_flights->open(); });
    m_flights->setSheet(m_sheet);
    // Ctrl+N, a key the sheet has no use for, names the contestant flying next.
    auto *nowFlying = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), &m_sheet);
    QObject::connect(nowFlying, &QShortcut::activated, &m_sheet, [this] { m_flights->pickNowFlying(); });
}

OrloProgram::~OrloProgram() = default;

void OrloProgram::start(FlightsWindow flightsWindow)
{
    m_sheet.fitToScreen();
    m_sheet.show();
    if (m_flights)
        m_flights->openJournalAfterFirstFrame(m_sheet);
    m_sheet.activateWindow();
    m_sheet.rules().start();
    if (m_flights && flightsWindow == FlightsWindow::BesideTheSheet)
        m_flights->openBesideAfterFirstFrame(m_sheet);
}

} // namespace orlo
