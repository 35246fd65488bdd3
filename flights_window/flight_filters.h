#pragma once

#include "flight_journal.h"
#include "journal_reader.h"

#include <QObject>

#include <string>
#include <vector>

class QComboBox;
class QWidget;

namespace orlo {

// The flights window's three filters, by day, class and contestant: the
// choices offered, as the journal lists them, and the flights they let pass.
class FlightFilters final : public QObject {
    Q_OBJECT
public:
    // The filters' boxes are the window's controls, made here for its layout.
    explicit FlightFilters(QWidget &window);

    QComboBox *day() const { return m_day; }
    QComboBox *eventClass() const { return m_class; }
    QComboBox *contestant() const { return m_contestant; }

    // Offers the days flown and the entry list, keeping each choice that is
    // still offered; the sheet's classes are always offered.
    void refill(const std::vector<std::string> &days, const std::vector<contest::Entry> &entries);
    journal::FlightFilter filter() const;
    // The day chosen, empty for all days.
    std::string chosenDay() const;

signals:
    // The official chose another day, class or contestant.
    void changed();

private:
    QComboBox *m_day = nullptr;
    QComboBox *m_class = nullptr;
    QComboBox *m_contestant = nullptr;
};

} // namespace orlo
