#include "contest_settings_dialog.h"

#include "contest_checks.h"
#include "contest_lists.h"
#include "contest_words.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace orlo {

namespace {

enum Column { CaptionColumn, CountingColumn, CountedColumn, OfficialColumn, TiesColumn, FinalColumn, Columns };

QString fromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

ContestSettingsDialog::ContestSettingsDialog(const contest::ContestSettings &contest,
                                             const contest::Results &shown, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Contest"));
    m_name = new QLineEdit(fromStd(contest.name), this);
    m_firstDay = new QLineEdit(fromStd(contest.firstDay), this);
    m_lastDay = new QLineEdit(fromStd(contest.lastDay), this);
    for (QLineEdit *day : {m_firstDay, m_lastDay})
        day->setPlaceholderText(QStringLiteral("YYYY-MM-DD"));

    m_classes = new QTableWidget(0, Columns, this);
    m_classes->setHorizontalHeaderLabels({QStringLiteral("Class"), QStringLiteral("Counts"),
                                          QStringLiteral("Best K"), QStringLiteral("Official flights"),
                                          QStringLiteral("Ties"), QStringLiteral("Final")});
    m_classes->verticalHeader()->hide();
    // The classes of the contest, then those shown that have no rule of their own yet.
    for (const contest::ClassRule &rule : contest.classes)
        addClassRow(rule);
    for (const contest::ClassStandings &standings : shown.classes)
        if (std::none_of(contest.classes.begin(), contest.classes.end(),
                         [&](const contest::ClassRule &rule) { return rule.caption == standings.rule.caption; }))
            addClassRow(standings.rule);
    m_classes->resizeColumnsToContents();

    m_combinations = new QPlainTextEdit(fromStd(contest::combinationsText(contest.combinations)), this);
    m_combinations->setPlaceholderText(QStringLiteral("Profile + Class I + Class II = Profile, Class I, Class II"));
    m_combinations->setTabChangesFocus(true);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Contest name:"), m_name);
    form->addRow(QStringLiteral("First day:"), m_firstDay);
    form->addRow(QStringLiteral("Last day:"), m_lastDay);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Classes:"), this));
    layout->addWidget(m_classes, 1);
    layout->addWidget(new QLabel(QStringLiteral("Combined standings, one a line (name = class, class, …):"), this));
    layout->addWidget(m_combinations);
    layout->addWidget(buttons);
    resize(640, 480);
}

void ContestSettingsDialog::addClassRow(const contest::ClassRule &rule)
{
    const int row = m_classes->rowCount();
    m_classes->insertRow(row);
    auto *caption = new QTableWidgetItem(fromStd(rule.caption));
    caption->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    caption->setData(Qt::UserRole, fromStd(rule.finalAt));
    m_classes->setItem(row, CaptionColumn, caption);
    const auto choice = [&](Column column, const QStringList &choices, bool first) {
        auto *box = new QComboBox(m_classes);
        box->addItems(choices);
        box->setCurrentIndex(first ? 0 : 1);
        m_classes->setCellWidget(row, column, box);
    };
    const auto count = [&](Column column, int value) {
        auto *box = new QSpinBox(m_classes);
        box->setRange(1, 20);
        box->setValue(value);
        m_classes->setCellWidget(row, column, box);
    };
    choice(CountingColumn,
           {fromStd(contest::countingChoice(contest::Counting::BestFlight)),
            fromStd(contest::countingChoice(contest::Counting::SumOfBest))},
           rule.counting == contest::Counting::BestFlight);
    count(CountedColumn, rule.counted);
    count(OfficialColumn, rule.officialFlights);
    choice(TiesColumn,
           {fromStd(contest::tieChoice(contest::TieRule::Shared)), fromStd(contest::tieChoice(contest::TieRule::NextBest))},
           rule.ties == contest::TieRule::Shared);
    auto *final = new QCheckBox(m_classes);
    final->setChecked(rule.final);
    m_classes->setCellWidget(row, FinalColumn, final);
}

contest::ContestSettings ContestSettingsDialog::settings() const
{
    contest::ContestSettings contest;
    contest.name = m_name->text().simplified().toStdString();
    contest.firstDay = m_firstDay->text().trimmed().toStdString();
    contest.lastDay = m_lastDay->text().trimmed().toStdString();
    for (int row = 0; row < m_classes->rowCount(); ++row) {
        contest::ClassRule rule;
        rule.caption = m_classes->item(row, CaptionColumn)->text().toStdString();
        const auto *counting = static_cast<QComboBox *>(m_classes->cellWidget(row, CountingColumn));
        rule.counting = counting->currentIndex() == 0 ? contest::Counting::BestFlight : contest::Counting::SumOfBest;
        rule.counted = static_cast<QSpinBox *>(m_classes->cellWidget(row, CountedColumn))->value();
        rule.officialFlights = static_cast<QSpinBox *>(m_classes->cellWidget(row, OfficialColumn))->value();
        const auto *ties = static_cast<QComboBox *>(m_classes->cellWidget(row, TiesColumn));
        rule.ties = ties->currentIndex() == 0 ? contest::TieRule::Shared : contest::TieRule::NextBest;
        rule.final = static_cast<QCheckBox *>(m_classes->cellWidget(row, FinalColumn))->isChecked();
        // A class closed before keeps its time; the journal stamps one closed now.
        if (rule.final)
            rule.finalAt = m_classes->item(row, CaptionColumn)->data(Qt::UserRole).toString().toStdString();
        contest.classes.push_back(std::move(rule));
    }
    contest.combinations = contest::combinationsIn(m_combinations->toPlainText().toStdString());
    return contest;
}

void ContestSettingsDialog::done(int result)
{
    if (result == QDialog::Accepted) {
        if (const std::optional<std::string> refusal = contest::refusalOf(settings())) {
            auto *box = new QMessageBox(QMessageBox::Warning, windowTitle(), fromStd(*refusal), QMessageBox::Ok, this);
            box->setWindowModality(Qt::WindowModal);
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->open();
            return;
        }
    }
    QDialog::done(result);
}

} // namespace orlo
