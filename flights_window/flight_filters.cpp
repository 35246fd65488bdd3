#include "flight_filters.h"

#include "event_classes.h"
#include "shown_text.h"

#include <QComboBox>
#include <QWidget>

#include <algorithm>

namespace orlo {

namespace {

// A filter's choice: the item's data, empty for "All ...".
std::string chosen(const QComboBox *filter)
{
    return filter->currentData().toString().toStdString();
}

void refill(QComboBox *filter, const QString &all, const std::vector<std::string> &choices)
{
    const QString kept = filter->currentData().toString();
    const QSignalBlocker quiet(filter);
    filter->clear();
    filter->addItem(all, QString());
    for (const std::string &choice : choices)
        filter->addItem(shownText(choice), shownText(choice));
    filter->setCurrentIndex(std::max(0, filter->findData(kept)));
}

} // namespace

FlightFilters::FlightFilters(QWidget &window)
    : QObject(&window), m_day(new QComboBox(&window)), m_class(new QComboBox(&window)),
      m_contestant(new QComboBox(&window))
{
    m_day->setObjectName(QStringLiteral("DayFilter"));
    m_day->setAccessibleName(QStringLiteral("Day"));
    m_class->setObjectName(QStringLiteral("ClassFilter"));
    m_class->setAccessibleName(QStringLiteral("Class"));
    m_contestant->setObjectName(QStringLiteral("ContestantFilter"));
    m_contestant->setAccessibleName(QStringLiteral("Contestant"));
    // A long entry list is searched by typing a name into the filter.
    m_contestant->setEditable(true);
    m_contestant->setInsertPolicy(QComboBox::NoInsert);
    m_contestant->setMinimumContentsLength(12);
    for (QComboBox *filter : {m_day, m_class, m_contestant})
        connect(filter, &QComboBox::currentIndexChanged, this, &FlightFilters::changed);
}

void FlightFilters::refill(const std::vector<std::string> &days, const std::vector<contest::Entry> &entries)
{
    orlo::refill(m_day, QStringLiteral("All days"), days);
    // The sheet's classes in the sheet's order: reading the captions recorded
    // would mean reading every calculation.
    static const std::vector<std::string> classes = [] {
        std::vector<std::string> captions;
        for (const EventClass &eventClass : eventClasses)
            captions.emplace_back(eventClass.caption);
        return captions;
    }();
    orlo::refill(m_class, QStringLiteral("All classes"), classes);

    const qlonglong kept = m_contestant->currentData().toLongLong();
    const QSignalBlocker quiet(m_contestant);
    m_contestant->clear();
    m_contestant->addItem(QStringLiteral("All contestants"), qlonglong(0));
    m_contestant->addItem(QStringLiteral("No contestant named"), qlonglong(journal::noEntry));
    for (const contest::Entry &entry : entries)
        m_contestant->addItem(entry.number.empty() ? shownText(entry.name)
                                                   : shownText(entry.name + " " + entry.number),
                              qlonglong(entry.id));
    m_contestant->setCurrentIndex(std::max(0, m_contestant->findData(kept)));
}

// The contestant's choice is an entry, noEntry, or 0 for all.
journal::FlightFilter FlightFilters::filter() const
{
    return journal::FlightFilter{chosen(m_day), chosen(m_class), m_contestant->currentData().toLongLong()};
}

std::string FlightFilters::chosenDay() const
{
    return chosen(m_day);
}

} // namespace orlo

#include "moc_flight_filters.cpp"
