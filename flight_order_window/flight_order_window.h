#pragma once

#include "contest_changes.h"
#include "flight_order.h"

#include <QWidget>

#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace orlo {

// "Flight order": per class, how its order is made (as entered, drawn from a
// seed shown and typed, reverse of the standings, by hand), the pilots of
// the round now flying in the order called, moved up and down by keyboard
// and mouse, called again or withdrawn, and the distance kept between a
// pilot's flights at one circle. Every change is kept in the journal at once.
class FlightOrderWindow final : public QWidget {
public:
    // Reads the journal again at every change while shown, and tells each
    // change it keeps, so that the sheet calls the next pilot.
    FlightOrderWindow(std::string journalPath, ContestChanges &changes, QWidget *parent = nullptr);

    // Writes the call list of every class and round, in the format the
    // name's extension says, and says what was written or why not.
    bool saveCallList(const QString &path);
    // Reads the journal again: a flight recorded shows as flown.
    void reload();

private:
    void buildControls();
    void showClass();
    void keep(const contest::FlyingOrder &order);
    void methodChosen();
    void draw();
    void move(int by);
    void movedByMouse();
    void callAgain();
    void withdraw();
    std::string chosenClass() const;
    contest::ClassOrder &classOrder(contest::FlyingOrder &order) const;
    std::vector<std::int64_t> shownEntries() const;

    std::string m_path;
    contest::FlyingOrder m_order;
    contest::CallList m_called;
    std::vector<contest::Entry> m_entries;
    ContestChanges &m_changes;
    bool m_showing = false;
    QComboBox *m_class = nullptr;
    QComboBox *m_method = nullptr;
    QLineEdit *m_seed = nullptr;
    QPushButton *m_draw = nullptr;
    QSpinBox *m_distance = nullptr;
    QLineEdit *m_circle = nullptr;
    QListWidget *m_list = nullptr;
    QLabel *m_progress = nullptr;
    QLabel *m_problem = nullptr;
    QPushButton *m_callList = nullptr;
};

} // namespace orlo
