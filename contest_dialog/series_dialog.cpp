#include "series_dialog.h"

#include "series_standings.h"
#include "series_words.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orlo {

namespace {

QString text(const std::string &value)
{
    return QString::fromStdString(value);
}

} // namespace

SeriesDialog::SeriesDialog(const contest::SeriesSettings &series, const std::vector<SeriesContestChoice> &contests,
                           const std::vector<std::string> &captions, const std::vector<contest::NearName> &nearNames,
                           QWidget *parent)
    : QDialog(parent), m_series(series), m_contests(contests), m_nearNames(nearNames)
{
    setWindowTitle(QStringLiteral("Series"));
    m_name = new QLineEdit(text(series.name), this);
    m_name->setObjectName(QStringLiteral("seriesName"));

    // Every contest ticked counts; none ticked is taken as every one.
    m_contestList = new QListWidget(this);
    m_contestList->setObjectName(QStringLiteral("seriesContests"));
    for (const SeriesContestChoice &contest : contests) {
        auto *item = new QListWidgetItem(contest.name.empty() ? QStringLiteral("(a contest without a name)") : text(contest.name),
                                         m_contestList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(contest::seriesCounts(series, contest.id) ? Qt::Checked : Qt::Unchecked);
    }
    m_contestList->setMaximumHeight(110);

    m_counted = new QComboBox(this);
    m_counted->setObjectName(QStringLiteral("seriesCounted"));
    for (const auto counted : {contest::CountedContests::All, contest::CountedContests::Best,
                               contest::CountedContests::AllButWorst})
        m_counted->addItem(text(contest::countedChoice(counted)), int(counted));
    m_counted->setCurrentIndex(int(series.counted));
    m_countN = new QSpinBox(this);
    m_countN->setObjectName(QStringLiteral("seriesN"));
    m_countN->setRange(1, 99);
    m_countN->setPrefix(QStringLiteral("N = "));
    m_countN->setValue(std::max(1, series.counted == contest::CountedContests::Best ? series.best : series.worst));
    m_fromM = new QSpinBox(this);
    m_fromM->setObjectName(QStringLiteral("seriesM"));
    m_fromM->setRange(1, 99);
    m_fromM->setPrefix(QStringLiteral("M = "));
    m_fromM->setValue(std::max(1, series.dropFrom));
    auto *counting = new QHBoxLayout;
    counting->addWidget(m_counted, 1);
    counting->addWidget(m_countN);
    counting->addWidget(m_fromM);

    // One class's rule at a time: the class chosen above its scheme.
    for (const std::string &caption : captions)
        m_rules.emplace(caption, contest::seriesRuleFor(series, caption));
    for (const contest::SeriesRule &rule : series.rules)
        m_rules.try_emplace(rule.caption, rule);
    m_caption = new QComboBox(this);
    m_caption->setObjectName(QStringLiteral("seriesClass"));
    for (const auto &[caption, rule] : m_rules)
        m_caption->addItem(text(caption));
    m_scheme = new QComboBox(this);
    m_scheme->setObjectName(QStringLiteral("seriesScheme"));
    for (const auto scheme : {contest::SeriesScheme::PlacePoints, contest::SeriesScheme::PerCentOfWinner,
                              contest::SeriesScheme::LowPoint})
        m_scheme->addItem(text(contest::schemeChoice(scheme)), int(scheme));
    m_points = new QLineEdit(this);
    m_points->setObjectName(QStringLiteral("seriesPoints"));
    m_shared = new QComboBox(this);
    m_shared->setObjectName(QStringLiteral("seriesShared"));
    for (const auto shared : {contest::SharedPlaces::MeanOfPoints, contest::SharedPlaces::HigherPoints})
        m_shared->addItem(text(contest::sharedPlacesChoice(shared)), int(shared));

    // Near names, each joined or kept apart.
    m_names = new QTableWidget(int(nearNames.size()), 3, this);
    m_names->setObjectName(QStringLiteral("seriesNearNames"));
    m_names->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Near name"), QStringLiteral("Choice")});
    m_names->verticalHeader()->hide();
    for (int row = 0; row < int(nearNames.size()); ++row) {
        const contest::NearName &near = nearNames[std::size_t(row)];
        for (int column = 0; column < 2; ++column) {
            auto *item = new QTableWidgetItem(text(column == 0 ? near.first : near.second));
            item->setFlags(Qt::ItemIsEnabled);
            item->setToolTip(text(contest::nearNameLine(near)));
            m_names->setItem(row, column, item);
        }
        auto *choice = new QComboBox(m_names);
        choice->addItems({QStringLiteral("One contestant (join)"), QStringLiteral("Two contestants (keep apart)")});
        choice->setCurrentIndex(near.joined ? 0 : 1);
        m_names->setCellWidget(row, 2, choice);
    }
    m_names->resizeColumnsToContents();
    m_names->horizontalHeader()->setStretchLastSection(true);

    m_refusal = new QLabel(this);
    m_refusal->setObjectName(QStringLiteral("seriesRefusal"));
    m_refusal->setStyleSheet(QStringLiteral("color: #a00000"));
    m_refusal->hide();

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Name:"), m_name);
    form->addRow(QStringLiteral("Contests &counted:"), m_contestList);
    form->addRow(QStringLiteral("Of each contestant's:"), counting);
    form->addRow(QStringLiteral("C&lass:"), m_caption);
    form->addRow(QStringLiteral("&Scheme:"), m_scheme);
    form->addRow(QStringLiteral("Place &points:"), m_points);
    form->addRow(QStringLiteral("&Tied places:"), m_shared);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Near names in the contests:"), this));
    layout->addWidget(m_names, 1);
    layout->addWidget(m_refusal);
    layout->addWidget(buttons);

    connect(m_caption, &QComboBox::currentIndexChanged, this, &SeriesDialog::showRule);
    connect(m_scheme, &QComboBox::currentIndexChanged, this, &SeriesDialog::keepRule);
    connect(m_shared, &QComboBox::currentIndexChanged, this, &SeriesDialog::keepRule);
    connect(m_points, &QLineEdit::editingFinished, this, &SeriesDialog::keepRule);
    connect(m_counted, &QComboBox::currentIndexChanged, this, &SeriesDialog::showCounted);
    showRule();
    showCounted();
    resize(560, 620);
}

void SeriesDialog::showCounted()
{
    const auto counted = contest::CountedContests(m_counted->currentData().toInt());
    m_countN->setEnabled(counted != contest::CountedContests::All);
    m_fromM->setEnabled(counted == contest::CountedContests::AllButWorst);
}

void SeriesDialog::showRule()
{
    m_shownCaption = m_caption->currentText();
    const auto found = m_rules.find(m_shownCaption.toStdString());
    const contest::SeriesRule rule = found != m_rules.end() ? found->second : contest::SeriesRule{};
    const QSignalBlocker a(m_scheme), b(m_shared), c(m_points);
    m_scheme->setCurrentIndex(m_scheme->findData(int(rule.scheme)));
    m_shared->setCurrentIndex(m_shared->findData(int(rule.sharedPlaces)));
    m_points->setText(text(contest::placePointsText(rule.placePoints)));
    const bool places = rule.scheme == contest::SeriesScheme::PlacePoints;
    m_points->setEnabled(places);
    m_shared->setEnabled(places);
}

void SeriesDialog::keepRule()
{
    const auto found = m_rules.find(m_shownCaption.toStdString());
    if (found == m_rules.end())
        return;
    contest::SeriesRule &rule = found->second;
    rule.scheme = contest::SeriesScheme(m_scheme->currentData().toInt());
    rule.sharedPlaces = contest::SharedPlaces(m_shared->currentData().toInt());
    contest::readPlacePoints(m_points->text().toStdString(), rule.placePoints);
    const bool places = rule.scheme == contest::SeriesScheme::PlacePoints;
    m_points->setEnabled(places);
    m_shared->setEnabled(places);
}

contest::SeriesSettings SeriesDialog::settings() const
{
    contest::SeriesSettings series = m_series;
    series.name = m_name->text().trimmed().toStdString();
    series.contests.clear();
    bool all = true;
    for (int row = 0; row < m_contestList->count(); ++row) {
        if (m_contestList->item(row)->checkState() == Qt::Checked)
            series.contests.push_back(m_contests[std::size_t(row)].id);
        else
            all = false;
    }
    if (all)
        series.contests.clear();
    series.counted = contest::CountedContests(m_counted->currentData().toInt());
    series.best = series.counted == contest::CountedContests::Best ? m_countN->value() : 0;
    series.worst = series.counted == contest::CountedContests::AllButWorst ? m_countN->value() : 0;
    series.dropFrom = series.counted == contest::CountedContests::AllButWorst ? m_fromM->value() : 0;
    series.rules.clear();
    for (const auto &[caption, rule] : m_rules)
        series.rules.push_back(rule);
    // The choices of names not listed now are kept: a contest left out may list them again.
    for (int row = 0; row < m_names->rowCount(); ++row) {
        const contest::NearName &near = m_nearNames[std::size_t(row)];
        const bool joined = static_cast<QComboBox *>(m_names->cellWidget(row, 2))->currentIndex() == 0;
        if (!near.chosen && joined == near.joined)
            continue;
        bool kept = false;
        for (contest::NameChoice &choice : series.names)
            if ((choice.first == near.first && choice.second == near.second)
                || (choice.first == near.second && choice.second == near.first)) {
                choice.joined = joined;
                kept = true;
            }
        if (!kept)
            series.names.push_back({near.first, near.second, joined});
    }
    return series;
}

void SeriesDialog::done(int result)
{
    if (result == QDialog::Accepted) {
        std::vector<std::string> points;
        if (m_points->isEnabled() && !contest::readPlacePoints(m_points->text().toStdString(), points)) {
            m_refusal->setText(QStringLiteral("Place points are numbers, none below zero, such as 10, 8, 6, 5, 4, 3, 2, 1."));
            m_refusal->show();
            m_points->setFocus();
            return;
        }
        keepRule();
        if (m_name->text().trimmed().isEmpty()) {
            m_refusal->setText(QStringLiteral("A series needs a name."));
            m_refusal->show();
            m_name->setFocus();
            return;
        }
    }
    QDialog::done(result);
}

} // namespace orlo
