// The monkey test: three fixed seeds (or one from the command line), each a run of the random operator.
#include "monkey.h"
#include "tahoma_font.h"

#include <QApplication>
#include <QTest>

#include <optional>
#include <vector>

using namespace orlo;
using namespace orlo::monkey;

namespace {

// What the command line may change: --seed=N runs that one seed instead of
// the fixed ones, --actions=N the number of actions per seed, --trace prints
// every action before it is done (to find the one that crashes).
struct RunSettings {
    std::optional<quint64> seed;
    int actions = 1000;
    bool trace = false;
};

RunSettings &settings()
{
    static RunSettings chosen;
    return chosen;
}

QtMessageHandler forwardMessage = nullptr;

// The offscreen platform warns at every raise and size hint; that is no finding.
void quietPlatform(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    forwardMessage(type, context, message);
}

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void randomOperator_data();
    void randomOperator();
};

void MonkeyTest::initTestCase()
{
    QApplication::setApplicationName(QStringLiteral("Orlo_Score"));
    registerTahoma();
    forwardMessage = qInstallMessageHandler(quietPlatform);
}

void MonkeyTest::randomOperator_data()
{
    QTest::addColumn<quint64>("seed");
    if (settings().seed) {
        QTest::addRow("seed-%llu", static_cast<unsigned long long>(*settings().seed)) << *settings().seed;
        return;
    }
    for (const quint64 seed : {20261208ull, 7ull, 1966ull})
        QTest::addRow("seed-%llu", static_cast<unsigned long long>(seed)) << seed;
}

void MonkeyTest::randomOperator()
{
    QFETCH(quint64, seed);
    qInfo("seed %llu, %d actions (to repeat: monkey_test --seed=%llu --actions=%d --trace)",
          static_cast<unsigned long long>(seed), settings().actions, static_cast<unsigned long long>(seed),
          settings().actions);

    WiredProgram program;
    QVERIFY2(program.start(), "the score sheet did not start");
    Monkey monkey(program, seed, settings().trace);
    const QString broken = monkey.run(settings().actions);
    qInfo("%s", qPrintable(monkey.tally()));
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
}

// QtTest refuses options it does not know, so ours are taken out first.
int main(int argc, char *argv[])
{
    std::vector<char *> passed;
    for (int i = 0; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument.startsWith("--seed="))
            settings().seed = argument.mid(7).toULongLong();
        else if (argument.startsWith("--actions="))
            settings().actions = argument.mid(10).toInt();
        else if (argument == "--trace")
            settings().trace = true;
        else
            passed.push_back(argv[i]);
    }
    int passedCount = static_cast<int>(passed.size());
    passed.push_back(nullptr);
    QApplication app(passedCount, passed.data());
    MonkeyTest test;
    return QTest::qExec(&test, passedCount, passed.data());
}

#include "monkey_test.moc"
