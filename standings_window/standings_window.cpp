#include "standings_window.h"

#include "contest_settings_dialog.h"
#include "contest_words.h"
#include "file_dialog.h"
#include "journal_schema.h"
#include "results_document.h"
#include "results_files.h"
#include "results_pages.h"
#include "standings_table.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLocale>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
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

std::shared_ptr<QPrinter> printerForResults()
{
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setPageLayout(resultsPageLayout(paperFor(QLocale())));
    return printer;
}

// The dialog blocks the Standings window, never the sheet, and goes when closed.
void openBlockingThisWindowAlone(QDialog &dialog)
{
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setAttribute(Qt::WA_DeleteOnClose);
    dialog.open();
}

} // namespace

StandingsWindow::StandingsWindow(StandingsSource source, QWidget *parent)
    : QWidget(parent, Qt::Window), m_source(std::move(source))
{
    setWindowTitle(QStringLiteral("Standings"));
    buildControls();
    m_soon.setSingleShot(true);
    m_soon.setInterval(readDelayMs);
    connect(&m_soon, &QTimer::timeout, this, &StandingsWindow::readNow);
    connect(&m_reading, &QFutureWatcher<Read>::finished, this, &StandingsWindow::takeRead);
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
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("standingsTable"));
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setWordWrap(true);
    m_note = new QLabel(this);
    m_note->setWordWrap(true);

    auto *printButton = button(QStringLiteral("Print…"), QKeySequence::Print, this);
    auto *previewButton = button(QStringLiteral("Print preview…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), this);
    auto *saveButton = button(QStringLiteral("Save results…"), QKeySequence::Save, this);
    m_contest = button(QStringLiteral("Contest…"), QKeySequence(Qt::CTRL | Qt::Key_E), this);
    m_contest->setObjectName(QStringLiteral("contestButton"));
    m_contest->setEnabled(m_source.contest && m_source.setContest);
    saveButton->setEnabled(bool(m_source.save));
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
    for (QPushButton *each : {printButton, previewButton, saveButton, m_contest})
        buttons->addWidget(each);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_note);
    layout->addLayout(buttons);
    resize(760, 480);
}

void StandingsWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        journalChanged();
}

bool StandingsWindow::isReading() const
{
    return m_soon.isActive() || m_reading.isRunning() || m_readAgain;
}

void StandingsWindow::journalChanged()
{
    // A closed window reads nothing; it reads the journal again when shown.
    if (isVisible())
        m_soon.start();
}

void StandingsWindow::readNow()
{
    if (m_reading.isRunning()) {
        m_readAgain = true;
        return;
    }
    m_readAgain = false;
    m_reading.setFuture(QtConcurrent::run([read = m_source.read] {
        try {
            return Read{read(), {}};
        } catch (const std::exception &problem) {
            return Read{{}, QString::fromUtf8(problem.what())};
        }
    }));
}

void StandingsWindow::takeRead()
{
    Read read = m_reading.result();
    // A failed read keeps the standings last read in view and says so.
    m_problem = read.problem;
    if (m_problem.isEmpty())
        m_results = std::move(read.results);
    else // and a sheet printed or saved from them says so
        m_results.unreadAt = journal::localTimeText(std::time(nullptr), "%Y-%m-%dT%H:%M:%S%z");
    if (m_readAgain)
        readNow();

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
    } else if (chosen >= classes && chosen - classes < int(m_results.combined.size())) {
        showStandings(*m_table, contest::combinedResults(m_results.combined[std::size_t(chosen - classes)]));
        state = provisional;
    } else {
        m_table->clear();
        m_table->setRowCount(0);
        m_table->setColumnCount(0);
        state = QStringLiteral("No flights have been recorded for this contest yet.");
    }
    if (!m_problem.isEmpty())
        state = QStringLiteral("%1 The standings shown were read before.").arg(m_problem);
    m_state->setText(state);
    const int unnamed = m_results.flightsWithoutContestant;
    m_note->setText(unnamed == 0 ? QString()
                                 : QStringLiteral("%1 %2 no contestant and %3 counted nowhere: name the contestant "
                                                  "in the flights window.")
                                       .arg(unnamed)
                                       .arg(unnamed == 1 ? QStringLiteral("flight has") : QStringLiteral("flights have"))
                                       .arg(unnamed == 1 ? QStringLiteral("is") : QStringLiteral("are")));
}

// The printer lives as long as its dialog's connections, which end with it.
void StandingsWindow::print()
{
    const auto printer = printerForResults();
    auto *dialog = new QPrintDialog(printer.get(), this);
    connect(dialog, &QDialog::accepted, this, [this, printer] { printOn(*printer); });
    openBlockingThisWindowAlone(*dialog);
}

void StandingsWindow::preview()
{
    const auto printer = printerForResults();
    auto *dialog = new QPrintPreviewDialog(printer.get(), this);
    connect(dialog, &QPrintPreviewDialog::paintRequested, this, [this, printer](QPrinter *paper) { printOn(*paper); });
    openBlockingThisWindowAlone(*dialog);
}

void StandingsWindow::printOn(QPrinter &printer) const
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
    try {
        m_source.save(m_results, path.toStdString());
    } catch (const std::exception &problem) {
        m_state->setText(QStringLiteral("Cannot write the results to %1: %2. Nothing was written.")
                             .arg(shown, QString::fromUtf8(problem.what())));
        return false;
    }
    m_state->setText(QStringLiteral("Wrote the results to %1.").arg(shown));
    return true;
}

void StandingsWindow::editContest()
{
    contest::ContestSettings contest;
    try {
        contest = m_source.contest();
    } catch (const std::exception &problem) {
        m_state->setText(QString::fromUtf8(problem.what()));
        return;
    }
    auto *dialog = new ContestSettingsDialog(contest, m_results, this);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        try {
            m_source.setContest(dialog->settings());
        } catch (const std::exception &problem) {
            m_state->setText(QString::fromUtf8(problem.what()) + QStringLiteral(" The contest was not changed."));
            return;
        }
        readNow();
    });
    openBlockingThisWindowAlone(*dialog);
}

} // namespace orlo
