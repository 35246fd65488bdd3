#include "standings_window.h"

#include "contest_settings_dialog.h"
#include "contest_words.h"
#include "file_dialog.h"
#include "journal_schema.h"
#include "journal_words.h"
#include "local_time.h"
#include "results_document.h"
#include "results_files.h"
#include "results_pages.h"
#include "results_printing.h"
#include "sheet_words.h"
#include "standings_table.h"
#include "still_to_fly_question.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>
#include <memory>

namespace orlo {

namespace {

// Long enough to gather the calculations of one press and the journal's
// write after a lock, short enough that the director sees no delay.
constexpr int readDelayMs = 200;

QPushButton *button(const QString &text, const QKeySequence &keys, QWidget *parent)
{
    auto *made = new QPushButton(text, parent);
    if (!keys.isEmpty()) {
        made->setShortcut(keys);
        made->setToolTip(keys.toString(QKeySequence::NativeText));
    }
    made->setAutoDefault(false);
    return made;
}

// The dialog blocks the Standings window, never the sheet, and goes when closed.
void openBlockingThisWindowAlone(QDialog &dialog)
{
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setAttribute(Qt::WA_DeleteOnClose);
    dialog.open();
}

} // namespace

StandingsWindow::StandingsWindow(StandingsSource source, ContestChanges &changes, QWidget *parent)
    : QWidget(parent, Qt::Window), m_source(std::move(source)), m_changes(changes)
{
    setWindowTitle(QStringLiteral("Standings"));
    buildControls();
    // Named children, so that a read due or under way can be seen from outside.
    m_soon.setParent(this);
    m_soon.setObjectName(QStringLiteral("standingsReadSoon"));
    m_reading.setParent(this);
    m_reading.setObjectName(QStringLiteral("standingsReading"));
    m_soon.setSingleShot(true);
    m_soon.setInterval(readDelayMs);
    connect(&m_soon, &QTimer::timeout, this, &StandingsWindow::readNow);
    connect(&m_reading, &QFutureWatcher<Read>::finished, this, &StandingsWindow::takeRead);
    connect(&m_changes, &ContestChanges::changed, this, &StandingsWindow::journalChanged);
    readNow();
}

StandingsWindow::~StandingsWindow()
{
    m_reading.waitForFinished();
}

void StandingsWindow::buildControls()
{
    m_chooser = new QComboBox(this);
    m_chooser->setObjectName(QStringLiteral("standingsChooser"));
    m_chooser->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("standingsState"));
    m_state->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A class's or combination's flights waiting after Final make a long
    // line: wrapped, it neither widens the window nor squeezes the chooser.
    m_state->setWordWrap(true);
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("standingsTable"));
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setWordWrap(true);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("standingsNote"));
    m_note->setWordWrap(true);

    auto *printButton = button(QStringLiteral("Print…"), QKeySequence::Print, this);
    auto *previewButton = button(QStringLiteral("Print preview…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), this);
    auto *saveButton = button(QStringLiteral("Save results…"), QKeySequence::Save, this);
    m_contest = button(QStringLiteral("Contest…"), QKeySequence(Qt::CTRL | Qt::Key_E), this);
    m_contest->setObjectName(QStringLiteral("contestButton"));
    m_contest->setEnabled(m_source.contest && m_source.setContest);
    saveButton->setEnabled(bool(m_source.save));
    auto *networkButton = button(QStringLiteral("Show on the network…"), {}, this);
    networkButton->setObjectName(QStringLiteral("networkButton"));
    networkButton->setVisible(bool(m_source.showOnNetwork));
    connect(networkButton, &QPushButton::clicked, this, [this] { m_source.showOnNetwork(); });
    auto *orderButton = button(QStringLiteral("Flight order…"), QKeySequence(Qt::CTRL | Qt::Key_O), this);
    orderButton->setObjectName(QStringLiteral("flightOrderButton"));
    orderButton->setVisible(bool(m_source.flightOrder));
    connect(orderButton, &QPushButton::clicked, this, [this] { m_source.flightOrder(); });
    auto *closeButton = button(QStringLiteral("Close"), {}, this);
    connect(printButton, &QPushButton::clicked, this, &StandingsWindow::print);
    connect(previewButton, &QPushButton::clicked, this, &StandingsWindow::preview);
    connect(saveButton, &QPushButton::clicked, this, &StandingsWindow::chooseFileToSave);
    connect(m_contest, &QPushButton::clicked, this, &StandingsWindow::editContest);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    auto *escape = new QShortcut(QKeySequence::Cancel, this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    connect(m_chooser, &QComboBox::currentIndexChanged, this, &StandingsWindow::showChosen);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Class:"), this));
    top->addWidget(m_chooser);
    top->addWidget(m_state, 1);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *each : {printButton, previewButton, saveButton, m_contest, networkButton, orderButton})
        buttons->addWidget(each);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    auto *contestPage = layout;
    // The season's series in a view of its own: the contest's standings and controls on the first page.
    if (m_source.series.read) {
        auto *views = new QTabWidget(this);
        views->setObjectName(QStringLiteral("standingsViews"));
        auto *page = new QWidget(views);
        contestPage = new QVBoxLayout(page);
        views->addTab(page, QStringLiteral("C&ontest"));
        m_seriesView = new SeriesView(m_source.series, views);
        m_seriesView->setObjectName(QStringLiteral("seriesView"));
        views->addTab(m_seriesView, QStringLiteral("Se&ries"));
        connect(views, &QTabWidget::currentChanged, this, [this, views] {
            if (views->currentWidget() == m_seriesView)
                m_seriesView->readAgain();
        });
        layout->addWidget(views, 1);
    }
    contestPage->addLayout(top);
    contestPage->addWidget(m_table, 1);
    contestPage->addWidget(m_note);
    contestPage->addLayout(buttons);
    if (m_seriesView) {
        auto *closing = new QHBoxLayout;
        closing->addStretch(1);
        closing->addWidget(closeButton);
        layout->addLayout(closing);
    } else {
        buttons->addWidget(closeButton);
    }
    resize(760, 480);
}

void StandingsWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        journalChanged();
}

void StandingsWindow::journalChanged()
{
    ++m_told;
    // A closed window reads nothing; it reads the journal again when shown.
    if (isVisible())
        m_soon.start();
    if (m_seriesView && m_seriesView->isVisible())
        m_seriesView->readAgain();
}

StandingsWindow::Read StandingsWindow::readOf(const std::function<contest::Results()> &read, long long asOf)
{
    try {
        return {read(), {}, asOf};
    } catch (const std::exception &problem) {
        return {{}, QString::fromStdString(journalSentence(problem)), asOf};
    }
}

void StandingsWindow::readNow()
{
    if (m_reading.isRunning()) {
        m_readAgain = true;
        return;
    }
    m_readAgain = false;
    m_reading.setFuture(QtConcurrent::run([read = m_source.read, asOf = m_told] { return readOf(read, asOf); }));
}

void StandingsWindow::takeRead()
{
    Read read = m_reading.result();
    if (m_readAgain)
        readNow();
    // A read made for a save meanwhile is newer than this one.
    if (read.asOf >= m_shownAsOf)
        showRead(std::move(read));
}

void StandingsWindow::readUpToDate()
{
    // Another program's change made since the last look, which comes only
    // every little while, would otherwise be missing from what is saved.
    m_changes.lookNow();
    if (m_shownAsOf == m_told)
        return;
    m_soon.stop();
    // The source reads on one thread at a time.
    m_reading.waitForFinished();
    showRead(readOf(m_source.read, m_told));
}

void StandingsWindow::showRead(Read read)
{
    m_shownAsOf = read.asOf;
    // A failed read keeps the standings last read in view and says so.
    m_problem = read.problem;
    if (m_problem.isEmpty()) {
        m_results = std::move(read.results);
        // The contest these standings are of, once it has a name.
        const QString contest = QString::fromStdString(m_results.contest.name);
        setWindowTitle(contest.isEmpty() ? QStringLiteral("Standings") : QStringLiteral("Standings: %1").arg(contest));
    }
    else // and a sheet printed or saved from them says so
        m_results.unreadAt = journal::localTimeText(std::time(nullptr), "%Y-%m-%dT%H:%M:%S%z");

    const QString chosen = m_chooser->currentText();
    const QSignalBlocker quiet(m_chooser);
    m_chooser->clear();
    for (const contest::ClassStandings &standings : m_results.classes)
        m_chooser->addItem(QString::fromStdString(standings.rule.caption));
    for (const contest::CombinedStandings &combined : m_results.combined)
        m_chooser->addItem(QString::fromStdString(combined.combination.name));
    m_chooser->setCurrentIndex(std::max(0, m_chooser->findText(chosen)));
    showChosen();
}

void StandingsWindow::showChosen()
{
    const int chosen = m_chooser->currentIndex();
    const int classes = int(m_results.classes.size());
    const QString provisional =
        QString::fromStdString(contest::provisionalAsOf(shownToTheMinute(m_results.asOf).toStdString()));
    QString state;
    if (chosen >= 0 && chosen < classes) {
        const contest::ClassStandings &standings = m_results.classes[std::size_t(chosen)];
        showStandings(*m_table, contest::classResults(standings, m_results));
        state = standings.rule.final ? QString::fromStdString(contest::finalState()) : provisional;
        if (standings.waiting > 0)
            state += QStringLiteral(". %1.").arg(QString::fromStdString(contest::waitingAfterFinal(
                standings.waiting, shownToTheMinute(standings.firstWaitingAt).toStdString())));
        if (!standings.rounds.empty())
            state += QStringLiteral(". %1").arg(QString::fromStdString(standings.rounds));
    } else if (chosen >= classes && chosen - classes < int(m_results.combined.size())) {
        const contest::CombinedStandings &combined = m_results.combined[std::size_t(chosen - classes)];
        showStandings(*m_table, contest::combinedResults(combined, m_results));
        state = combinationStateLine(combined, m_results);
        if (const QString waiting = combinationWaiting(combined); !waiting.isEmpty())
            state += QStringLiteral(". %1").arg(waiting);
    } else {
        m_table->clear();
        m_table->setRowCount(0);
        m_table->setColumnCount(0);
        state = QString::fromStdString(contest::noFlightCounts(m_results.voidFlights));
    }
    if (!m_problem.isEmpty())
        state = QStringLiteral("%1 The standings shown were read before.").arg(m_problem);
    // The file written is said after the state, which goes on being said.
    if (!m_written.isEmpty())
        state += (state.endsWith(QLatin1Char('.')) ? QStringLiteral(" ") : QStringLiteral(". ")) + m_written;
    m_state->setText(state);
    const int unnamed = m_results.flightsWithoutContestant;
    m_note->setText(unnamed == 0 ? QString()
                                 : QStringLiteral("%1 %2 no contestant and %3 counted nowhere: name the contestant "
                                                  "in the flights window.")
                                       .arg(unnamed)
                                       .arg(unnamed == 1 ? QStringLiteral("flight has") : QStringLiteral("flights have"))
                                       .arg(unnamed == 1 ? QStringLiteral("is") : QStringLiteral("are")));
}

void StandingsWindow::print()
{
    openPrintDialog(PrintDialogKind::Print);
}

void StandingsWindow::preview()
{
    openPrintDialog(PrintDialogKind::Preview);
}

void StandingsWindow::openPrintDialog(PrintDialogKind kind)
{
    QDialog *dialog = nullptr;
    try {
        dialog = resultsPrintDialog(this, kind, resultsPageLayout(paperFor(QLocale())),
                                    [this](QPagedPaintDevice &printer) {
                                        readUpToDate();
                                        printOn(printer);
                                    });
    } catch (const std::exception &problem) {
        m_state->setText(QStringLiteral("Cannot print the results: %1. Nothing was printed.")
                             .arg(QString::fromUtf8(problem.what())));
        return;
    }
    openBlockingThisWindowAlone(*dialog);
}

void StandingsWindow::printOn(QPagedPaintDevice &printer) const
{
    paintResults(m_results, printer);
}

void StandingsWindow::chooseFileToSave()
{
    QFileDialog *dialog = fileDialog(this, QStringLiteral("Save results"), QDir::currentPath(),
                                     resultsFileFilter());
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->selectFile(QStringLiteral("results.pdf"));
    connect(dialog, &QFileDialog::fileSelected, this, &StandingsWindow::saveTo);
    dialog->open();
}

bool StandingsWindow::saveTo(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    readUpToDate();
    try {
        m_source.save(m_results, path.toStdString());
    } catch (const std::exception &problem) {
        // Said in a box of its own: the state line goes on saying how final the standings are.
        auto *told = new QMessageBox(QMessageBox::Warning, QStringLiteral("Results not saved"),
                                     QStringLiteral("Cannot write the results to %1: %2. Nothing was written.")
                                         .arg(shown, QString::fromStdString(journalSentence(problem))),
                                     QMessageBox::Ok, this);
        told->setObjectName(QStringLiteral("saveFailed"));
        openBlockingThisWindowAlone(*told);
        m_written.clear();
        showChosen();
        return false;
    }
    m_written = QStringLiteral("Wrote the results to %1.").arg(shown);
    showChosen();
    return true;
}

void StandingsWindow::editContest()
{
    contest::ContestSettings contest;
    try {
        contest = m_source.contest();
    } catch (const std::exception &problem) {
        m_state->setText(QString::fromStdString(journalSentence(problem)));
        return;
    }
    auto *dialog = new ContestSettingsDialog(contest, m_results, this);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const auto keep = [this](const contest::ContestSettings &contest) { keepContest(contest); };
        if (QMessageBox *ask = stillToFlyQuestion(dialog->settings(), m_results, keep, this))
            openBlockingThisWindowAlone(*ask);
    });
    openBlockingThisWindowAlone(*dialog);
}

void StandingsWindow::keepContest(const contest::ContestSettings &contest)
{
    try {
        m_source.setContest(contest);
    } catch (const std::exception &problem) {
        m_state->setText(QString::fromStdString(journalSentence(problem)) + QStringLiteral(" The contest was not changed."));
        return;
    }
    m_changes.tell(ContestChange::Settings);
}

} // namespace orlo
