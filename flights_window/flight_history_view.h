#pragma once

#include "contest_journal.h"
#include "journal_reader.h"

#include <QTableWidget>

#include <vector>

namespace orlo {

// The history of the chosen flight, oldest first: every calculation with
// every reading and result it kept, and between them every correction made
// to the flight (contestant moved, status marked) with its time and reason,
// so that a protest can be settled from it.
class FlightHistoryView final : public QTableWidget {
    Q_OBJECT
public:
    explicit FlightHistoryView(QWidget *parent = nullptr);

    void showFlight(const std::vector<journal::StoredCalculation> &calculations,
                    const std::vector<journal::FlightChange> &changes);
};

} // namespace orlo
