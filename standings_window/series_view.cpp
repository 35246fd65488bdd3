#include "series_view.h"

#include "file_dialog.h"
#include "journal_words.h"
#include "results_document.h"
#include "results_files.h"
#include "results_pages.h"
#include "results_printing.h"
#include "series_results.h"
#include "series_words.h"
#include "standings_table.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace orlo {

namespace {

QString said(const std::string &value)
{
    return QString::fromStdString(value);
}

void openBlockingTheWindowAlone(QDialog &dialog)
{
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setAttribute(Qt::WA_DeleteOnClose);
    dialog.open();
}

} // namespace

SeriesView::SeriesView(SeriesSource source, QWidget *parent) : QWidget(parent), m_source(std::move(source))
{
    m_series = new QComboBox(this);
    m_series->setObjectName(QStringLiteral("seriesChooser"));
    m_series->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_class = new QComboBox(this);
    m_class->setObjectName(QStringLiteral("seriesClassChooser"));
    m_class->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("seriesState"));
    m_state->setWordWrap(true);
    m_rules = new QLabel(this);
    m_rules->setObjectName(QStringLiteral("seriesRules"));
    m_rules->setWordWrap(true);
    m_rules->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("seriesTable"));
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto *setUpButton = new QPushButton(QStringLiteral("Set &up series…"), this);
    setUpButton->setObjectName(QStringLiteral("seriesSetUp"));
    setUpButton->setEnabled(bool(m_source.keep));
    auto *printButton = new QPushButton(QStringLiteral("Print series…"), this);
    auto *saveButton = new QPushButton(QStringLiteral("Save series…"), this);
    saveButton->setEnabled(bool(m_source.save));
    for (QPushButton *each : {setUpButton, printButton, saveButton})
        each->setAutoDefault(false);
    connect(setUpButton, &QPushButton::clicked, this, &SeriesView::setUp);
    connect(printButton, &QPushButton::clicked, this, &SeriesView::print);
    connect(saveButton, &QPushButton::clicked, this, &SeriesView::chooseFileToSave);
    connect(m_series, &QComboBox::activated, this, [this] {
        m_wanted = m_series->currentText().toStdString();
        readAgain();
    });
    connect(m_class, &QComboBox::currentIndexChanged, this, &SeriesView::showChosen);
    connect(&m_reading, &QFutureWatcher<Reading>::finished, this, &SeriesView::takeRead);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Series:"), this));
    top->addWidget(m_series);
    top->addWidget(new QLabel(QStringLiteral("Class:"), this));
    top->addWidget(m_class);
    top->addWidget(m_state, 1);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *each : {setUpButton, printButton, saveButton})
        buttons->addWidget(each);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_rules);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
}

SeriesView::~SeriesView()
{
    m_reading.waitForFinished();
}

void SeriesView::readAgain()
{
    if (m_reading.isRunning()) {
        m_readAgain = true;
        return;
    }
    m_readAgain = false;
    m_reading.setFuture(QtConcurrent::run([read = m_source.read, wanted = m_wanted] {
        try {
            return Reading{read(wanted), {}};
        } catch (const std::exception &problem) {
            return Reading{{}, QString::fromStdString(journalSentence(problem))};
        }
    }));
}

void SeriesView::takeRead()
{
    Reading reading = m_reading.result();
    if (m_readAgain)
        readAgain();
    if (!reading.problem.isEmpty()) {
        m_state->setText(QStringLiteral("%1 The series shown was read before.").arg(reading.problem));
        return;
    }
    m_read = std::move(reading.read);
    const QSignalBlocker quiet(m_series), quietClass(m_class);
    m_series->clear();
    for (const contest::SeriesSettings &series : m_read.series)
        m_series->addItem(said(series.name));
    if (m_series->findText(said(m_read.standings.series.name)) < 0)
        m_series->addItem(said(m_read.standings.series.name));
    m_series->setCurrentIndex(m_series->findText(said(m_read.standings.series.name)));
    const QString chosen = m_class->currentText();
    m_class->clear();
    for (const contest::SeriesTable &table : m_read.standings.tables)
        m_class->addItem(said(table.rule.caption));
    m_class->setCurrentIndex(std::max(0, m_class->findText(chosen)));
    showChosen();
}

void SeriesView::showChosen()
{
    const int chosen = m_class->currentIndex();
    const contest::SeriesStandings &standings = m_read.standings;
    if (chosen < 0 || chosen >= int(standings.tables.size())) {
        m_table->setRowCount(0);
        m_table->setColumnCount(0);
        m_rules->clear();
        m_state->setText(QStringLiteral("No contest of the series has placed anybody yet."));
        return;
    }
    const contest::SeriesTable &table = standings.tables[std::size_t(chosen)];
    showStandings(*m_table, contest::seriesResults(table, standings));
    m_state->setText(table.stillRunning.empty() ? QStringLiteral("Final")
                                                : said(contest::seriesStateSentence(table.stillRunning)));
    QStringList rules;
    for (const std::string &sentence : contest::seriesSentences(table, standings.series))
        if (table.stillRunning.empty() || sentence != contest::seriesStateSentence(table.stillRunning))
            rules << said(sentence);
    m_rules->setText(rules.join(QLatin1Char(' ')));
}

void SeriesView::setUp()
{
    std::vector<std::string> captions;
    for (const contest::SeriesTable &table : m_read.standings.tables)
        captions.push_back(table.rule.caption);
    auto *dialog = new SeriesDialog(m_read.standings.series, m_read.contests, captions, m_read.standings.nearNames, this);
    dialog->setObjectName(QStringLiteral("seriesDialog"));
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const contest::SeriesSettings series = dialog->settings();
        try {
            m_source.keep(series);
        } catch (const std::exception &problem) {
            m_state->setText(said(journalSentence(problem)) + QStringLiteral(" The series was not changed."));
            return;
        }
        m_wanted = series.name;
        readAgain();
    });
    openBlockingTheWindowAlone(*dialog);
}

void SeriesView::print()
{
    QDialog *dialog = nullptr;
    try {
        dialog = resultsPrintDialog(this, PrintDialogKind::Print, resultsPageLayout(paperFor(QLocale())),
                                    [this](QPagedPaintDevice &printer) { paintSeries(m_read.standings, printer); });
    } catch (const std::exception &problem) {
        m_state->setText(QStringLiteral("Cannot print the series: %1. Nothing was printed.").arg(problem.what()));
        return;
    }
    openBlockingTheWindowAlone(*dialog);
}

void SeriesView::chooseFileToSave()
{
    QFileDialog *dialog = fileDialog(this, QStringLiteral("Save series"), QDir::currentPath(), resultsFileFilter());
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->selectFile(QStringLiteral("series.pdf"));
    connect(dialog, &QFileDialog::fileSelected, this, &SeriesView::saveTo);
    dialog->open();
}

bool SeriesView::saveTo(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    try {
        m_source.save(m_read.standings, path.toStdString());
    } catch (const std::exception &problem) {
        auto *told = new QMessageBox(QMessageBox::Warning, QStringLiteral("Series not saved"),
                                     QStringLiteral("Cannot write the series to %1: %2. Nothing was written.")
                                         .arg(shown, said(journalSentence(problem))),
                                     QMessageBox::Ok, this);
        told->setObjectName(QStringLiteral("seriesSaveFailed"));
        openBlockingTheWindowAlone(*told);
        return false;
    }
    m_state->setText(QStringLiteral("Wrote the series to %1.").arg(shown));
    return true;
}

} // namespace orlo
