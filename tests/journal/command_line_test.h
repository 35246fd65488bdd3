#pragma once

#include "command_line_support.h"

#include <QObject>
#include <QTemporaryDir>
#include <QTest>

// The program's command line, run as the official would run it; the
// contests of a season and the merging of tables in season_command_test.cpp.
class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void versionAndHelp();
    void wrongCommandLine_data();
    void wrongCommandLine();
    void exportOfOneDay();
    void exportWithoutSqlite();
    void journalLeftAsItWas_data();
    void journalLeftAsItWas();
    void copiesTakenWhileRecording();
    void registrationImported_data();
    void registrationImported();
    void journalOfEachLayoutCarriedForward_data();
    void journalOfEachLayoutCarriedForward();
    void contestsKeptApart();
    void tablesMerged_data();
    void tablesMerged();

private:
    QTemporaryDir m_folder;
    QString m_journal;
};

// The wrong command lines of a season of contests, rows of wrongCommandLine.
void addWrongSeasonCommandLines();
