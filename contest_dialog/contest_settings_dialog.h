#pragma once

#include "contest_settings.h"
#include "standings.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QTableWidget;

namespace orlo {

// The director's settings of the contest: its name and days, each class's
// counting rule, official flights, tie rule and whether it is final, and the
// combinations of classes ranked together. Every class with flights or
// entries is listed with the rule it is counted by now, defaults included.
// Settings the contest's check refuses are told and the dialog stays open.
class ContestSettingsDialog final : public QDialog {
public:
    ContestSettingsDialog(const contest::ContestSettings &contest, const contest::Results &shown,
                          QWidget *parent = nullptr);

    // The settings as the dialog shows them now.
    contest::ContestSettings settings() const;
    QTableWidget *classTable() const { return m_classes; }

    void done(int result) override;

private:
    void addClassRow(const contest::ClassRule &rule);

    QLineEdit *m_name = nullptr;
    QLineEdit *m_firstDay = nullptr;
    QLineEdit *m_lastDay = nullptr;
    QTableWidget *m_classes = nullptr;
    QPlainTextEdit *m_combinations = nullptr;
};

} // namespace orlo
