#pragma once

#include <QObject>
#include <QTemporaryDir>
#include <QTest>

// The entry list of a contest: names compared, entries kept and imported,
// flights corrected with a trail of every change; registration files read
// in registration_import_test.cpp.
class ContestEntriesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("TZ", "UTC"); }
    void namesCompared_data();
    void namesCompared();
    void completionFinds_data();
    void completionFinds();
    void journalOfTheLastVersionCarriedForward_data();
    void journalOfTheLastVersionCarriedForward();
    void entryListChanges_data();
    void entryListChanges();
    void registrationImported_data();
    void registrationImported();
    void registrationColumnsFound_data();
    void registrationColumnsFound();
    void flightCorrected_data();
    void flightCorrected();
    void nowFlyingNamesTheNextFlight_data();
    void nowFlyingNamesTheNextFlight();
    void flightOrderKeptAndMerged_data();
    void flightOrderKeptAndMerged();

private:
    QTemporaryDir m_folder;
};
