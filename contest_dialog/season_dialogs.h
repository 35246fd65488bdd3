#pragma once

#include <QDialog>

#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace orlo {

// Starts a contest of the season and makes it current: its name and days,
// with an empty entry list or a copy of the current contest's.
class NewContestDialog final : public QDialog {
    Q_OBJECT
public:
    explicit NewContestDialog(std::string journalPath, QWidget *parent = nullptr);

    // Starts the contest typed; a refusal is said in the dialog, which stays open.
    void accept() override;

private:
    std::string m_journalPath;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_firstDay = nullptr;
    QLineEdit *m_lastDay = nullptr;
    QCheckBox *m_copyEntries = nullptr;
    QLabel *m_refusal = nullptr;
};

// The contests of the season, with their days, flights and final classes;
// one chosen is made current, or a new one started.
class ContestListDialog final : public QDialog {
    Q_OBJECT
public:
    explicit ContestListDialog(std::string journalPath, QWidget *parent = nullptr);

    // Reads the contests again; a journal that cannot be read is said so.
    void reload();
    // Opens the start of a new contest over the list.
    void startNew();

signals:
    // Another contest is current: the windows show it from now on.
    void currentChanged();

private:
    void makeChosenCurrent();

    std::string m_journalPath;
    QTableWidget *m_table = nullptr;
    QLabel *m_status = nullptr;
};

} // namespace orlo
