#include "flight_order.h"
#include "order_draw.h"

#include <QStringList>
#include <QTest>

#include <algorithm>
#include <map>
#include <set>

using namespace orlo::contest;

// Who flies next, on small contests written out in the tables: entries as
// "name|class,class|withdrawn", flights as "name|class|status|score" in the
// order flown.
class FlightOrderTest : public QObject {
    Q_OBJECT

private slots:
    void draw_data();
    void draw();
    void conflicts_data();
    void conflicts();
    void calling_data();
    void calling();
};

namespace {

std::vector<std::string> split(const QString &text, QChar by)
{
    std::vector<std::string> parts;
    for (const QString &part : text.split(by, Qt::SkipEmptyParts))
        parts.push_back(part.toStdString());
    return parts;
}

std::vector<Entry> entriesOf(const QStringList &lines)
{
    std::vector<Entry> entries;
    for (const QString &line : lines) {
        const QStringList parts = line.split(u'|');
        Entry entry;
        entry.id = std::int64_t(entries.size()) + 1;
        entry.name = parts[0].toStdString();
        entry.number = std::to_string(entries.size() + 1);
        entry.classes = split(parts.value(1), u',');
        entry.withdrawn = parts.value(2) == QLatin1String("withdrawn");
        entries.push_back(entry);
    }
    return entries;
}

std::int64_t idOf(const std::vector<Entry> &entries, const QString &name)
{
    for (const Entry &entry : entries)
        if (entry.name == name.toStdString())
            return entry.id;
    return 0;
}

std::vector<ScoredFlight> flightsOf(const QStringList &lines, const std::vector<Entry> &entries)
{
    std::vector<ScoredFlight> flights;
    for (const QString &line : lines) {
        const QStringList parts = line.split(u'|');
        ScoredFlight flight;
        flight.id = std::int64_t(flights.size()) + 1;
        flight.contestant = parts[0].toStdString();
        flight.entry = idOf(entries, parts[0]);
        flight.classCaption = parts[1].toStdString();
        flight.status = statusNamed(parts.value(2, QStringLiteral("official")).toStdString()).value();
        flight.score = parts.value(3, QStringLiteral("100.0")).toStdString();
        flight.flownAt = parts.value(4).toStdString();
        flights.push_back(flight);
    }
    return flights;
}

ContestSettings twoRounds(const std::vector<Entry> &entries)
{
    ContestSettings contest;
    for (const Entry &entry : entries)
        for (const std::string &caption : entry.classes)
            if (std::none_of(contest.classes.begin(), contest.classes.end(),
                             [&](const ClassRule &rule) { return rule.caption == caption; })) {
                ClassRule rule;
                rule.caption = caption;
                contest.classes.push_back(rule);
            }
    return contest;
}

// Every pilot of each class once in each round, whoever is left out withdrawn.
QString everyPilotOnce(const CallList &list, const std::vector<Entry> &entries)
{
    for (const CircleRound &round : list.rounds)
        for (const Entry &entry : entries)
            for (const std::string &caption : entry.classes) {
                const auto calls = std::count_if(round.calls.begin(), round.calls.end(), [&](const Call &call) {
                    return call.entry == entry.id && call.caption == caption;
                });
                if (calls != (entry.withdrawn ? 0 : 1))
                    return QStringLiteral("%1 called %2 times in %3, round %4")
                        .arg(QString::fromStdString(entry.name)).arg(calls)
                        .arg(QString::fromStdString(caption)).arg(round.round);
            }
    return {};
}

} // namespace

void FlightOrderTest::draw_data()
{
    QTest::addColumn<int>("pilots");
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<QString>("expected"); // the draw of 1…pilots, when known

    // splitmix64's published first outputs for the seed 0 are e220a8397b1dcdaf,
    // 6e789e6aa1b965f4, 06c45d188009454f: the generator below draws them.
    QTest::newRow("generator's first numbers") << 0 << quint64(0) << "e220a8397b1dcdaf 6e789e6aa1b965f4 06c45d188009454f";
    QTest::newRow("one pilot") << 1 << quint64(7) << "1";
    QTest::newRow("ten pilots") << 10 << quint64(20260612) << QString();
    QTest::newRow("three hundred pilots") << 300 << quint64(999999) << QString();
    QTest::newRow("largest seed") << 40 << quint64(UINT64_MAX) << QString();
}

void FlightOrderTest::draw()
{
    QFETCH(int, pilots);
    QFETCH(quint64, seed);
    QFETCH(QString, expected);

    if (pilots == 0) {
        OrderDraw draw(seed);
        QStringList numbers;
        for (int i = 0; i < 3; ++i)
            numbers << QStringLiteral("%1").arg(draw.next(), 16, 16, QLatin1Char('0'));
        QCOMPARE(numbers.join(u' '), expected);
        return;
    }
    std::vector<std::int64_t> entered;
    for (int i = 1; i <= pilots; ++i)
        entered.push_back(i);
    const std::vector<std::int64_t> drawn = drawOrder(entered, seed);
    std::vector<std::int64_t> sorted = drawn;
    std::sort(sorted.begin(), sorted.end());
    QVERIFY2(sorted == entered, "the draw lost or doubled a pilot");
    QVERIFY2(drawOrder(entered, seed) == drawn, "the same seed drew another order");
    if (pilots >= 10) {
        QVERIFY2(drawOrder(entered, seed + 1) != drawn, "another seed drew the same order");
        QVERIFY2(drawn != entered, "the draw left the entries as entered");
    }
    if (!expected.isEmpty()) {
        QStringList shown;
        for (std::int64_t entry : drawn)
            shown << QString::number(entry);
        QCOMPARE(shown.join(u' '), expected);
    }

    // Drawn in the contest: each round calls every pilot once, in the draw.
    std::vector<Entry> entries;
    for (std::int64_t id : entered)
        entries.push_back({id, "P" + std::to_string(id), std::to_string(id), {"Class I"}, 0, false});
    FlyingOrder order;
    order.classes.push_back({"Class I", OrderMethod::Drawn, seed, {}, {}});
    const CallList list = callList(twoRounds(entries), order, entries, {});
    QCOMPARE(list.rounds.size(), std::size_t(2));
    const QString once = everyPilotOnce(list, entries);
    QVERIFY2(once.isEmpty(), qPrintable(once));
    std::vector<std::int64_t> called;
    for (const Call &call : list.rounds[1].calls)
        called.push_back(call.entry);
    QVERIFY2(called == drawn, "the second round is not called in the order drawn");
}

void FlightOrderTest::conflicts_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("distance");
    QTest::addColumn<QStringList>("expected");

    // Class after class, Dan would fly twice in a row.
    QTest::newRow("kept apart") << QStringList{"Ann|Class I", "Bob|Class I", "Cy|Class I", "Dan|Class I,Class II",
                                                 "Eve|Class II", "Fay|Class II"}
                                << 3 << QStringList{};
    QTest::newRow("three classes, room enough")
        << QStringList{"Hal Ivers|Class I,Class II,Profile", "Ann|Class I", "Bob|Class I", "Cy|Class II",
                       "Dan|Class II", "Eve|Profile", "Fay|Profile"}
        << 3 << QStringList{};
    QTest::newRow("a pilot and one other") << QStringList{"Hal Ivers|Class I,Class II,Profile", "Ann|Class I"} << 3
                                           << QStringList{"Hal Ivers: 1 flight apart in round 1, fewest possible",
                                                          "Hal Ivers: 1 flight apart in round 2, fewest possible"};
    QTest::newRow("two pilots in two classes")
        << QStringList{"Hal Ivers|Class I,Class II", "Ivy Jones|Class I,Class II"} << 3
        << QStringList{"Hal Ivers: 2 flights apart in round 1, fewest possible",
                       "Ivy Jones: 2 flights apart in round 1, fewest possible",
                       "Hal Ivers: 2 flights apart in round 2, fewest possible",
                       "Ivy Jones: 2 flights apart in round 2, fewest possible"};
    QTest::newRow("two pilots, two apart asked") << QStringList{"Hal Ivers|Class I,Class II", "Ivy Jones|Class I,Class II"}
                                                 << 2 << QStringList{};
    QTest::newRow("crowded at four apart")
        << QStringList{"Hal Ivers|Class I,Class II", "Ann|Class I", "Bob|Class II"} << 4
        << QStringList{"Hal Ivers: 3 flights apart in round 1, fewest possible",
                       "Hal Ivers: 3 flights apart in round 2, fewest possible"};
    QTest::newRow("withdrawn leaves room short")
        << QStringList{"Hal Ivers|Class I,Class II", "Ann|Class I", "Bob|Class II|withdrawn"} << 3
        << QStringList{"Hal Ivers: 2 flights apart in round 1, fewest possible",
                       "Hal Ivers: 2 flights apart in round 2, fewest possible"};
}

void FlightOrderTest::conflicts()
{
    QFETCH(QStringList, entries);
    QFETCH(int, distance);
    QFETCH(QStringList, expected);

    const std::vector<Entry> listed = entriesOf(entries);
    FlyingOrder order;
    order.minDistance = distance;
    const CallList list = callList(twoRounds(listed), order, listed, {});
    const QString once = everyPilotOnce(list, listed);
    QVERIFY2(once.isEmpty(), qPrintable(once));
    QStringList told;
    for (const OrderConflict &conflict : list.conflicts)
        told << QString::fromStdString(conflictText(conflict));
    QCOMPARE(told, expected);
    // Whoever is not told of flies at the distance asked.
    for (const CircleRound &round : list.rounds) {
        std::map<std::int64_t, std::size_t> last;
        for (std::size_t position = 0; position < round.calls.size(); ++position) {
            const Call &call = round.calls[position];
            const bool toldOf = told.join(u'\n').contains(QString::fromStdString(call.contestant + ":"));
            if (last.count(call.entry) && !toldOf)
                QVERIFY2(int(position - last[call.entry]) >= distance,
                         qPrintable(QString::fromStdString(call.contestant) + " called too soon again"));
            last[call.entry] = position;
        }
    }
}

void FlightOrderTest::calling_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QStringList>("kept"); // drawn or by hand, before the later entries
    QTest::addColumn<QStringList>("flights");
    QTest::addColumn<QStringList>("calledAgain"); // "name|flight"
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("progress");

    const QStringList three{"Ann Lee|Class I", "Bob Orr|Class I", "Cy Dunn|Class I"};
    QTest::newRow("nobody flown") << three << "as entered" << QStringList{} << QStringList{} << QStringList{}
                                  << "Next: Ann Lee (Class I, flight 1) · On deck: Bob Orr (Class I, flight 1)"
                                     " · In the hole: Cy Dunn (Class I, flight 1)"
                                  << "Round 1 of 2: 3 still to fly";
    QTest::newRow("out of turn") << three << "as entered" << QStringList{} << QStringList{"Cy Dunn|Class I"}
                                 << QStringList{}
                                 << "Next: Ann Lee (Class I, flight 1) · On deck: Bob Orr (Class I, flight 1)"
                                    " · In the hole: Ann Lee (Class I, flight 2)"
                                 << "Round 1 of 2: 2 still to fly";
    QTest::newRow("void and attempt count as flown")
        << three << "as entered" << QStringList{} << QStringList{"Ann Lee|Class I|void", "Bob Orr|Class I|attempt"}
        << QStringList{}
        << "Next: Cy Dunn (Class I, flight 1) · On deck: Ann Lee (Class I, flight 2)"
           " · In the hole: Bob Orr (Class I, flight 2)"
        << "Round 1 of 2: 1 still to fly";
    QTest::newRow("called again") << three << "as entered" << QStringList{}
                                  << QStringList{"Ann Lee|Class I|void", "Bob Orr|Class I"}
                                  << QStringList{"Ann Lee|1"}
                                  << "Next: Ann Lee (Class I, flight 2) · On deck: Cy Dunn (Class I, flight 1)"
                                     " · In the hole: Ann Lee (Class I, flight 3)"
                                  << "Round 1 of 2: 2 still to fly";
    QTest::newRow("re-flight flown") << three << "as entered" << QStringList{}
                                     << QStringList{"Ann Lee|Class I|void", "Bob Orr|Class I", "Ann Lee|Class I"}
                                     << QStringList{"Ann Lee|1"}
                                     << "Next: Cy Dunn (Class I, flight 1) · On deck: Ann Lee (Class I, flight 3)"
                                        " · In the hole: Bob Orr (Class I, flight 2)"
                                     << "Round 1 of 2: 1 still to fly";
    QTest::newRow("withdrawn mid-round")
        << QStringList{"Ann Lee|Class I", "Bob Orr|Class I|withdrawn", "Cy Dunn|Class I"} << "as entered"
        << QStringList{} << QStringList{"Ann Lee|Class I"} << QStringList{}
        << "Next: Cy Dunn (Class I, flight 1) · On deck: Ann Lee (Class I, flight 2)"
           " · In the hole: Cy Dunn (Class I, flight 2)"
        << "Round 1 of 2: 1 still to fly";
    QTest::newRow("withdrawn after flying") << QStringList{"Ann Lee|Class I", "Bob Orr|Class I|withdrawn"}
                                            << "as entered" << QStringList{}
                                            << QStringList{"Ann Lee|Class I", "Bob Orr|Class I"} << QStringList{}
                                            << "Next: Ann Lee (Class I, flight 2)" << "Round 2 of 2: 1 still to fly";
    // Dan entered after the draw: he flies at the end of each round, nobody is drawn again.
    QTest::newRow("late entry") << QStringList{"Ann Lee|Class I", "Bob Orr|Class I", "Cy Dunn|Class I",
                                                "Dan Fox|Class I"}
                                << "drawn" << QStringList{"Cy Dunn", "Ann Lee", "Bob Orr"}
                                << QStringList{"Cy Dunn|Class I", "Ann Lee|Class I"} << QStringList{}
                                << "Next: Bob Orr (Class I, flight 1) · On deck: Dan Fox (Class I, flight 1)"
                                   " · In the hole: Cy Dunn (Class I, flight 2)"
                                << "Round 1 of 2: 2 still to fly";
    QTest::newRow("by hand") << three << "by hand" << QStringList{"Bob Orr", "Cy Dunn", "Ann Lee"} << QStringList{}
                             << QStringList{}
                             << "Next: Bob Orr (Class I, flight 1) · On deck: Cy Dunn (Class I, flight 1)"
                                " · In the hole: Ann Lee (Class I, flight 1)"
                             << "Round 1 of 2: 3 still to fly";
    QTest::newRow("reverse of the standings")
        << three << "reverse of the standings" << QStringList{}
        << QStringList{"Ann Lee|Class I|official|300.0", "Bob Orr|Class I|official|100.0",
                       "Cy Dunn|Class I|official|200.0"}
        << QStringList{}
        << "Next: Bob Orr (Class I, flight 2) · On deck: Cy Dunn (Class I, flight 2)"
           " · In the hole: Ann Lee (Class I, flight 2)"
        << "Round 2 of 2: 3 still to fly";
    // Ann's void flight, merged from the other table, is numbered after her
    // re-flight though flown first: called again, it is the re-flight that counts.
    QTest::newRow("reverse of the standings, a re-flight merged")
        << three << "reverse of the standings" << QStringList{}
        << QStringList{"Ann Lee|Class I|official|300.0|2026-12-08T10:10:00+00:00",
                       "Bob Orr|Class I|official|100.0|2026-12-08T10:01:00+00:00",
                       "Cy Dunn|Class I|official|200.0|2026-12-08T10:02:00+00:00",
                       "Ann Lee|Class I|void|0.0|2026-12-08T10:00:00+00:00"}
        << QStringList{"Ann Lee|1"}
        << "Next: Bob Orr (Class I, flight 2) · On deck: Cy Dunn (Class I, flight 2)"
           " · In the hole: Ann Lee (Class I, flight 3)"
        << "Round 2 of 2: 3 still to fly";
    // Ann's two flights kept three apart: Cy flies between.
    QTest::newRow("two classes, one circle")
        << QStringList{"Ann Lee|Class I,Class II", "Bob Orr|Class I", "Cy Dunn|Class II", "Dan Fox|Class II"}
        << "as entered" << QStringList{} << QStringList{"Ann Lee|Class I"} << QStringList{}
        << "Next: Bob Orr (Class I, flight 1) · On deck: Cy Dunn (Class II, flight 1)"
           " · In the hole: Ann Lee (Class II, flight 1)"
        << "Round 1 of 2: 1 still to fly";
    QTest::newRow("everyone flown") << QStringList{"Ann Lee|Class I"} << "as entered" << QStringList{}
                                    << QStringList{"Ann Lee|Class I", "Ann Lee|Class I"} << QStringList{} << ""
                                    << "Round 2 of 2: complete";
}

void FlightOrderTest::calling()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, method);
    QFETCH(QStringList, kept);
    QFETCH(QStringList, flights);
    QFETCH(QStringList, calledAgain);
    QFETCH(QString, line);
    QFETCH(QString, progress);

    const std::vector<Entry> listed = entriesOf(entries);
    FlyingOrder order;
    ClassOrder classOrder{"Class I", methodNamed(method.toStdString()).value(), 0, {}, {}};
    for (const QString &name : kept)
        classOrder.entries.push_back(idOf(listed, name));
    order.classes.push_back(classOrder);
    for (const QString &mark : calledAgain)
        order.callAgain.push_back({idOf(listed, mark.section(u'|', 0, 0)), "Class I", mark.section(u'|', 1).toInt()});
    const CallList list = callList(twoRounds(listed), order, listed, flightsOf(flights, listed));
    QCOMPARE(QString::fromStdString(upNextLine(upNext(list))), line);
    QCOMPARE(QString::fromStdString(progressText(progressOf(list, "Class I"))), progress);
}

QTEST_GUILESS_MAIN(FlightOrderTest)
#include "flight_order_test.moc"
