#pragma once

#include "contest_settings.h"
#include "standings.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableWidget;

namespace orlo {

// The director's settings of the contest: its name and days, each class's
// counting rule, official flights, tie rule and whether it is final, and the
// combinations of classes ranked together. Every class with flights or
// entries is listed with the rule it is counted by now, defaults included.
// Settings the contest's check refuses are told beside the field at fault
// and the dialog stays open with every edit.
class ContestSettingsDialog final : public QDialog {
public:
    ContestSettingsDialog(const contest::ContestSettings &contest, const contest::Results &shown,
                          QWidget *parent = nullptr);

    // The settings as the dialog shows them now.
    contest::ContestSettings settings() const;

    void done(int result) override;

protected:
    // A rule's control takes the wheel only with the keyboard's focus; without
    // it, the wheel scrolls the classes. F2 opens a choice's list.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addClassRow(const contest::ClassRule &rule);
    void fitToScreen();
    // Shows the refusal under the part of the dialog at fault and gives that part the focus.
    void showRefusal(const std::string &refusal, const contest::ContestSettings &refused);

    QLineEdit *m_name = nullptr;
    QLineEdit *m_firstDay = nullptr;
    QLineEdit *m_lastDay = nullptr;
    QTableWidget *m_classes = nullptr;
    QPlainTextEdit *m_combinations = nullptr;
    QLabel *m_refusal = nullptr;
    QList<QWidget *> m_ruleControls; // row by row, in the order Tab visits them
};

} // namespace orlo
