#pragma once

#include "series_contestants.h"
#include "series_settings.h"

#include <QDialog>

#include <map>
#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QTableWidget;

namespace orlo {

// A contest of the season as the series dialog lists it: its identifier and name.
struct SeriesContestChoice {
    std::string id;
    std::string name;
};

// The director's series: its name, the contests it counts, which of a
// contestant's contests count, each class's scheme, points table and tied
// places, and the near names of the contests joined or kept apart.
class SeriesDialog final : public QDialog {
public:
    SeriesDialog(const contest::SeriesSettings &series, const std::vector<SeriesContestChoice> &contests,
                 const std::vector<std::string> &captions, const std::vector<contest::NearName> &nearNames,
                 QWidget *parent = nullptr);

    // The series as the dialog shows it now.
    contest::SeriesSettings settings() const;

    void done(int result) override;

private:
    void showRule();
    void keepRule();
    void showCounted();

    contest::SeriesSettings m_series;
    std::vector<SeriesContestChoice> m_contests;
    std::vector<contest::NearName> m_nearNames;
    std::map<std::string, contest::SeriesRule> m_rules; // by caption, as edited
    QString m_shownCaption;
    QLineEdit *m_name = nullptr;
    QListWidget *m_contestList = nullptr;
    QComboBox *m_counted = nullptr;
    QSpinBox *m_countN = nullptr;
    QSpinBox *m_fromM = nullptr;
    QComboBox *m_caption = nullptr;
    QComboBox *m_scheme = nullptr;
    QLineEdit *m_points = nullptr;
    QComboBox *m_shared = nullptr;
    QTableWidget *m_names = nullptr;
    QLabel *m_refusal = nullptr;
};

} // namespace orlo
