#include "contest_entries_test.h"

#include "contest_journal.h"
#include "journal_reader.h"
#include "journal_test_support.h"
#include "registration_file.h"

using namespace orlo;
using namespace orlo::journal;
using namespace orlo::contest;
using namespace journal_test;

void ContestEntriesTest::registrationImported_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("added");
    QTest::addColumn<QStringList>("problems"); // or, for an import made, the classes it changed
    QTest::newRow("comma, mark, columns in any order")
        << QByteArray("\xef\xbb\xbfNumber,name,Classes\r\n17,B. Okafor,Profile/Class I\r\n5,Ann Cho,\r\n") << 2
        << QStringList{};
    QTest::newRow("semicolons, quoted separator and quotes")
        << QByteArray("Name;Number\n\"Lee; Ward\";3\n;\n\"Ann \"\"Red\"\" Cho\";4\n\n") << 2 << QStringList{};
    QTest::newRow("formula-like name kept as text") << QByteArray("Name\n=1+1\n") << 1 << QStringList{};
    QTest::newRow("listed already, by number or by name")
        << QByteArray("Name,Number\nHAL  IVERS,12\nken lo,\n") << 0 << QStringList{};
    QTest::newRow("name twice in the file: one entry") << QByteArray("Name\nAnn Cho\nann  cho\n") << 1 << QStringList{};
    QTest::newRow("too many and too few fields") << QByteArray("Name,Number\nA,1,x\nB\nC,3\n") << 0
                                                 << QStringList{"line 2: 3 fields where the header has 2.",
                                                                "line 3: 1 fields where the header has 2."};
    QTest::newRow("empty name, line break in quotes counted")
        << QByteArray("Name,Number\n\"Ann\nCho\",1\n ,2\n") << 0 << QStringList{"line 4: no name."};
    QTest::newRow("number twice in the file")
        << QByteArray("Name,Number\nA,7\nB,7\n") << 0
        << QStringList{"line 3: number 7 is A's on line 2 already; a number is one pilot's, so correct the number or "
                       "the name."};
    QTest::newRow("name twice in the file with two numbers")
        << QByteArray("Name,Number\nAnn Cho,7\nANN CHO,8\n") << 0
        << QStringList{"line 3: ANN CHO is on line 2 already with number 7, not 8; a pilot has one number, so correct "
                       "the number or the name."};
    // A later file read again: the classes of the entries listed follow it,
    // save one a flight counts in (Hal Ivers flew Class I).
    QTest::newRow("classes added and removed for entries listed")
        << QByteArray("Name,Number,Classes\nHal Ivers,12,Class I/Class II\nKen Lo,,Class II\nAnn Cho,3,\n") << 1
        << QStringList{"Hal Ivers: Class II added, Profile removed", "Ken Lo: Class II added",
                       "now Hal Ivers: Class I/Class II", "now Ken Lo: Class II"};
    QTest::newRow("a class flown in stays")
        << QByteArray("Name,Number,Classes\nHal Ivers,12,Profile\n") << 0
        << QStringList{"Hal Ivers: Class I stays, 1 flight counts in it", "now Hal Ivers: Class I/Profile"};
    QTest::newRow("a blank classes cell changes no classes")
        << QByteArray("Name,Number,Classes\nHal Ivers,12,\n") << 0 << QStringList{};
    QTest::newRow("number of another on the list")
        << QByteArray("Name,Number\nAnn Cho,12\n") << 0
        << QStringList{"line 2: number 12 is Hal Ivers's on the entry list."};
    QTest::newRow("listed with another number")
        << QByteArray("Name,Number\nAnn Cho,8\nHal Ivers,13\n") << 0
        << QStringList{"line 3: Hal Ivers is on the entry list with number 12, not 13."};
    QTest::newRow("latin-1 file") << QByteArray("Name\nJos\xe9\n") << 0
                                  << QStringList{"line 2: not UTF-8 text; save the file as \"CSV UTF-8\"."};
    QTest::newRow("line over 1 MB") << QByteArray("Name\n") + QByteArray(1024 * 1024 + 1, 'x') << 0
                                    << QStringList{"line 2: longer than 1 MB; a registration file holds one entry a line."};
    QTest::newRow("quote never closed") << QByteArray("Name\n\"Ann\nBob\n") << 0
                                        << QStringList{"line 2: a quote opened here is never closed."};
    QTest::newRow("no name column") << QByteArray("Vorname,AMA\nA,1\n") << 0
                                    << QStringList{"line 1: the header row names no column for the name. It names "
                                                   "Vorname, AMA; the program reads the name under Name, Pilot or "
                                                   "Contestant, or under First Name and Last Name; the number under "
                                                   "Number, No., AMA, AMA #, AMA Number, Licence, License or Contest "
                                                   "number; the classes under Classes, Class, Events or Event."};
    QTest::newRow("classes that are no class, with the classes there are")
        << QByteArray("Name,Class\nA,Class 1\nB,Sportsmen\nC,\"Profile, Class I\"\nD,PROFILE\nE,\"Profile, Class 3\"\n") << 0
        << QStringList{"line 6: “Profile, Class 3” names a class the program does not know; its classes are Class I, "
                       "Class II, Profile, Sportsman, .15 Carrier and Skyray Carrier. Write those it means in the file.",
                       "line 2: “Class 1” names a class the program does not know; its classes are Class I, Class II, "
                       "Profile, Sportsman, .15 Carrier and Skyray Carrier. Write one of them in the file, or choose "
                       "the event's class in the entry list's import.",
                       "line 3: “Sportsmen” names a class the program does not know; its classes are Class I, Class II, "
                       "Profile, Sportsman, .15 Carrier and Skyray Carrier. Write one of them in the file, or choose "
                       "the event's class in the entry list's import."};
    // A per-event export whose events name no class, or two: told once per
    // event, however many rows name it.
    QTest::newRow("events of no class and of two, told once each")
        << QByteArray("Event,Last Name,First Name,AMA #\r\nOpen Carrier,Cho,Ann,1\r\nOpen Carrier,Dee,Bo,2\r\n"
                      "Profile / Class I Combo,Cho,Ann,1\r\nOpen Carrier,Fox,Cy,3\r\nOpen Carrier,Gray,Di,4\r\n"
                      "Open Carrier,Hu,Ed,5\r\nClass I - Profile Combo,Hu,Ed,5\r\n")
        << 0
        << QStringList{"line 4: “Profile / Class I Combo” names a class the program does not know; its classes are "
                       "Class I, Class II, Profile, Sportsman, .15 Carrier and Skyray Carrier. Write those it means in "
                       "the file.",
                       "lines 2, 3, 5 and 2 more: 5 rows name “Open Carrier”, a class the program does not know; its "
                       "classes are Class I, Class II, Profile, Sportsman, .15 Carrier and Skyray Carrier. Write one of "
                       "them in the file, or choose the event's class in the entry list's import.",
                       "line 8: “Class I - Profile Combo” names more than one class (Class I and Profile); its classes "
                       "are Class I, Class II, Profile, Sportsman, .15 Carrier and Skyray Carrier. Write one of them in "
                       "the file, or choose the event's class in the entry list's import."};
    // Files from hostile or odd sources: each read whole, or refused with a line.
    QTest::newRow("lone CR line ends, as older spreadsheets write")
        << QByteArray("Name,Number\rAnn Cho,1\r\"Bo\rDee\",2\rCy Fox,\r") << 3 << QStringList{};
    QTest::newRow("quoted field over 1 MB in short lines")
        << QByteArray("Name\nAnn Cho\n\"") + QByteArray(1024, 'x').append('\n').repeated(1100) + "\"\nBo Dee\n" << 0
        << QStringList{"line 3: a field longer than 1 MB; a registration file holds one entry a line."};
    QTest::newRow("name of 200 characters, two bytes each")
        << QByteArray("Name\n") + QString(200, QChar(0xe9)).toUtf8() + "\n" << 1 << QStringList{};
    QTest::newRow("name of 201 characters")
        << QByteArray("Name\n") + QString(201, QChar(0xe9)).toUtf8() + "\n" << 0
        << QStringList{"line 2: a name of 201 characters; a name holds at most 200."};
    QTest::newRow("number of 201 characters")
        << QByteArray("Name,Number\nAnn Cho,") + QByteArray(201, '7') + "\n" << 0
        << QStringList{"line 2: a number of 201 characters; a number holds at most 200."};
}

void ContestEntriesTest::registrationImported()
{
    QFETCH(QByteArray, file);
    QFETCH(int, added);
    QFETCH(QStringList, problems);
    const QString path = m_folder.filePath(QStringLiteral("import-%1.sqlite").arg(QTest::currentDataTag()));
    ContestJournal contest(text(path));
    contest.add({"Hal Ivers", "12", {"Class I", "Profile"}});
    contest.add({"Ken Lo", "", {}});
    {
        FlightJournal journal(text(path));
        journal.calculated(calculation("310.5"));
        QVERIFY2(journal.setContestant(JournalReader(text(path)).flights().front().id, "Hal Ivers"),
                 "the flight took no contestant");
    }
    const Registration read = readRegistration(file.toStdString());
    ImportOutcome outcome;
    if (read.problems.empty())
        outcome = contest.importEntries(read.rows);
    QStringList said;
    for (const std::string &problem : read.problems.empty() ? outcome.problems : read.problems)
        said.append(QString::fromStdString(problem));
    // Each change said, then the classes of the entry changed as listed now.
    for (const std::string &change : outcome.changed)
        said.append(QString::fromStdString(change));
    for (const std::string &change : outcome.changed)
        for (const Entry &entry : JournalReader(text(path)).entries())
            if (change.starts_with(entry.name + ":")) {
                QStringList classes;
                for (const std::string &eventClass : entry.classes)
                    classes << QString::fromStdString(eventClass);
                said.append(QStringLiteral("now %1: %2").arg(QString::fromStdString(entry.name), classes.join('/')));
            }
    QCOMPARE(said, problems);
    QCOMPARE(outcome.added, added);
    QCOMPARE(JournalReader(text(path)).entries().size(), std::size_t(2 + added));
    if (!read.problems.empty() || !outcome.problems.empty())
        return;
    const ImportOutcome again = contest.importEntries(read.rows);
    QVERIFY2(again.added == 0 && again.problems.empty() && again.alreadyListed == int(read.rows.size()),
             "importing the same file again adds nobody");
}

// Files as registration sites and spreadsheets write them: the columns
// found by their headings or chosen by the director, each entry as it would
// be imported, and what the import says it took and left out.
void ContestEntriesTest::registrationColumnsFound_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<int>>("chosen"); // name, number, classes columns (-1 none); empty: by the headings
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("said");
    const QByteArray website("First Name,Last Name,AMA Number,Events\r\nJosé,Núñez,12345,\"Profile, Class I\"\r\n"
                             "Ann,Cho,777,class  ii\r\n");
    const QByteArray german("Klassen;Name;Verein;Startnummer\nProfile;Jörg Maier;MFC Ulm;7\n"
                            "Class I / CLASS II;Anna Groß;;8\n");
    QTest::newRow("a website's export: first and last name, AMA number, events")
        << website << QList<int>{} << QStringList{"José Núñez|12345|Profile, Class I", "Ann Cho|777|Class II"}
        << "Names from First Name and Last Name, numbers from AMA Number, classes from Events.";
    QTest::newRow("german headings: only the name found, the rest said")
        << german << QList<int>{} << QStringList{"Jörg Maier||", "Anna Groß||"}
        << "Names from Name, no numbers, no classes. Klassen, Verein, Startnummer were not imported.";
    QTest::newRow("german headings, the columns chosen by the director")
        << german << QList<int>{1, 3, 0} << QStringList{"Jörg Maier|7|Profile", "Anna Groß|8|Class I, Class II"}
        << "Names from Name, numbers from Startnummer, classes from Klassen. Verein was not imported.";
    QTest::newRow("number and classes left out by the director")
        << website << QList<int>{1, -1, -1} << QStringList{"Núñez||", "Cho||"}
        << "Names from Last Name, no numbers, no classes. First Name, AMA Number, Events were not imported.";
    QTest::newRow("other headings in any case, each separator")
        << QByteArray("PILOT;license;CLASS;E-Mail\nLee Ward;L-9;Profile | sportsman;a@b\nBo Dee;L-8;Class I/Class II;\n"
                      "Cy Fox;;\"Profile; .15 carrier\";\n")
        << QList<int>{} << QStringList{"Lee Ward|L-9|Profile, Sportsman", "Bo Dee|L-8|Class I, Class II",
                                       "Cy Fox||Profile, .15 Carrier"}
        << "Names from PILOT, numbers from license, classes from CLASS. E-Mail was not imported.";
    QTest::newRow("tabs, as a spreadsheet's text export writes them")
        << QByteArray("Name\tAMA Number\tClasses\r\nLee, Ward\t12\tProfile; Class I\r\n") << QList<int>{}
        << QStringList{"Lee, Ward|12|Profile, Class I"} << "Names from Name, numbers from AMA Number, classes from Classes.";
    // A registration site's export of one row per pilot per event: rows of
    // one pilot (by number, else by name) one entry, each event read as the
    // one class its name holds, "Class II" not taken for "Class I".
    QTest::newRow("a per-event export: a pilot's rows joined, events read as classes")
        << QByteArray("Event,Last Name,First Name,AMA #,Email,Paid\r\n"
                      "Navy Carrier Class I,Núñez,José,12345,jose@example.org,Yes\r\n"
                      "Profile Navy Carrier,Núñez,José,12345,jose@example.org,Yes\r\n"
                      "Navy Carrier Class II,Eriksen,Lars,67890,lars@example.org,No\r\n"
                      "Profile Navy Carrier,Ødegård,Åse,,ase@example.org,Yes\r\n"
                      "Navy Carrier Class I,Eriksen,Lars,,lars@example.org,No\r\n"
                      "Navy Carrier Class II,NÚÑEZ,JOSÉ,12345,jose@example.org,Yes\r\n"
                      "Class II Navy Carrier,Ødegård,Åse,,ase@example.org,Yes\r\n")
        << QList<int>{}
        << QStringList{"José Núñez|12345|Class I, Profile, Class II", "Lars Eriksen|67890|Class II, Class I",
                       "Åse Ødegård||Profile, Class II"}
        << "Names from First Name and Last Name, numbers from AMA #, classes from Event. Email, Paid were not imported.";
    QTest::newRow("a name heading before first and last names wins")
        << QByteArray("First Name,Last Name,Contestant,AMA #\nA,B,Ann Cho,9\n") << QList<int>{}
        << QStringList{"Ann Cho|9|"} << "Names from Contestant, numbers from AMA #, no classes. First Name, Last Name "
                                        "were not imported.";
}

void ContestEntriesTest::registrationColumnsFound()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<int>, chosen);
    QFETCH(QStringList, entries);
    QFETCH(QString, said);
    const auto column = [](int at) { return at < 0 ? std::optional<std::size_t>() : std::size_t(at); };
    const Registration read = chosen.isEmpty() ? readRegistration(file.toStdString())
                                               : readRegistration(file.toStdString(),
                                                                  {column(chosen[0]), {}, {}, column(chosen[1]),
                                                                   column(chosen[2])});
    QStringList problems;
    for (const std::string &problem : read.problems)
        problems << QString::fromStdString(problem);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    QStringList found;
    for (const RegistrationRow &row : read.rows) {
        QStringList classes;
        for (const std::string &eventClass : row.entry.classes)
            classes << QString::fromStdString(eventClass);
        found << QString::fromStdString(row.entry.name + "|" + row.entry.number + "|") + classes.join(QStringLiteral(", "));
    }
    QCOMPARE(found, entries);
    QCOMPARE(QString::fromStdString(columnsUsedSaid(read.header, read.columns)), said);
}
