#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>
#include <QtEndian>

namespace {

// What the resource script declares, read as text: the fixed version
// numbers, the nested blocks and the values inside each block.
struct VersionScript {
    QMap<QString, QString> fixed;        // FILEVERSION, PRODUCTVERSION, ...
    QStringList blocks;                  // in order of appearance
    QMap<QString, QStringList> values;   // block path "A/B" -> "Name=value" in order
    QStringList icons;                   // file names of ICON statements
    QString error;
};

QString unquoted(QString text)
{
    text = text.trimmed();
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        return text.mid(1, text.size() - 2);
    return text;
}

VersionScript readScript(const QString &path)
{
    VersionScript script;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        script.error = QStringLiteral("cannot read ") + path;
        return script;
    }
    static const QRegularExpression block(QStringLiteral("^BLOCK\\s+\"([^\"]*)\"$"));
    static const QRegularExpression value(QStringLiteral("^VALUE\\s+\"([^\"]*)\"\\s*,\\s*(.+)$"));
    static const QRegularExpression icon(QStringLiteral("^\\w+\\s+ICON\\s+\"([^\"]+)\"$"));
    static const QRegularExpression fixed(QStringLiteral("^([A-Z]+)\\s+(.+)$"));

    QStringList open; // names of the blocks we are inside; "" for the VERSIONINFO body
    QString pending;
    bool inVersionInfo = false;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (QString line : lines) {
        const qsizetype comment = line.indexOf(QStringLiteral("//"));
        if (comment >= 0)
            line.truncate(comment);
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QRegularExpressionMatch match;
        if (line.contains(QStringLiteral(" VERSIONINFO"))) {
            inVersionInfo = true;
        } else if ((match = icon.match(line)).hasMatch()) {
            script.icons << match.captured(1);
        } else if ((match = block.match(line)).hasMatch()) {
            pending = match.captured(1);
            script.blocks << pending;
        } else if (line == QStringLiteral("BEGIN")) {
            open << pending;
            pending.clear();
        } else if (line == QStringLiteral("END")) {
            if (open.isEmpty()) {
                script.error = QStringLiteral("END without BEGIN");
                return script;
            }
            open.removeLast();
        } else if ((match = value.match(line)).hasMatch()) {
            const QString where = open.mid(1).join(QLatin1Char('/'));
            script.values[where] << match.captured(1) + QLatin1Char('=') + unquoted(match.captured(2));
        } else if (inVersionInfo && open.isEmpty() && (match = fixed.match(line)).hasMatch()) {
            script.fixed[match.captured(1)] = match.captured(2).remove(QLatin1Char(' '));
        } else {
            script.error = QStringLiteral("unexpected line: ") + line;
            return script;
        }
    }
    if (!open.isEmpty())
        script.error = QStringLiteral("a block is never closed");
    return script;
}

// A number as a resource script writes it: decimal, or hex with 0x.
int scriptNumber(const QString &text)
{
    bool ok = false;
    const int number = text.trimmed().remove(QLatin1Char('L')).toInt(&ok, 0);
    return ok ? number : -1;
}

} // namespace

// The Windows version resource, read as text: exactly the version strings,
// the one English (United States) Unicode string table and the stopwatch icon.
class VersionResourceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void stringEntry_data();
    void stringEntry();
    void noOtherStringEntries();
    void oneEnglishUnicodeTable();
    void numericVersion_data();
    void numericVersion();
    void translation();
    void iconHoldsTheDesktopSizes_data();
    void iconHoldsTheDesktopSizes();

private:
    VersionScript m_script;
    const QString m_table = QStringLiteral("StringFileInfo/040904B0");
};

void VersionResourceTest::initTestCase()
{
    m_script = readScript(QStringLiteral(ORLO_VERSION_SCRIPT));
    QVERIFY2(m_script.error.isEmpty(), qPrintable(m_script.error));
}

void VersionResourceTest::stringEntry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("product-name") << "ProductName" << "Orlo_Score";
    QTest::newRow("internal-name") << "InternalName" << "Orlo_Score";
    QTest::newRow("file-version") << "FileVersion" << ORLO_SHOWN_VERSION;
    QTest::newRow("product-version") << "ProductVersion" << ORLO_SHOWN_VERSION;
    QTest::newRow("original-filename") << "OriginalFilename" << "Orlo_Score.exe";
}

void VersionResourceTest::stringEntry()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    const QStringList entries = m_script.values.value(m_table).filter(QRegularExpression(
        QLatin1Char('^') + QRegularExpression::escape(name) + QLatin1Char('=')));
    QVERIFY2(entries.size() == 1, qPrintable(QStringLiteral("%1 appears %2 times").arg(name).arg(entries.size())));
    QCOMPARE(entries.first().section(QLatin1Char('='), 1), expected);
}

void VersionResourceTest::noOtherStringEntries()
{
    QStringList names;
    for (const QString &entry : m_script.values.value(m_table))
        names << entry.section(QLatin1Char('='), 0, 0);
    names.sort();
    const QStringList expected{QStringLiteral("FileVersion"), QStringLiteral("InternalName"),
                               QStringLiteral("OriginalFilename"), QStringLiteral("ProductName"),
                               QStringLiteral("ProductVersion")};
    QVERIFY2(names == expected, qPrintable(QStringLiteral("string entries: ") + names.join(QStringLiteral(", "))));
}

void VersionResourceTest::oneEnglishUnicodeTable()
{
    // 0409 is English (United States), 04B0 the Unicode code page 1200.
    const QStringList expected{QStringLiteral("StringFileInfo"), QStringLiteral("040904B0"),
                               QStringLiteral("VarFileInfo")};
    QVERIFY2(m_script.blocks == expected,
             qPrintable(QStringLiteral("blocks: ") + m_script.blocks.join(QStringLiteral(", "))));
    const QStringList holders = m_script.values.keys();
    const QStringList expectedHolders{m_table, QStringLiteral("VarFileInfo")};
    QVERIFY2(holders == expectedHolders,
             qPrintable(QStringLiteral("values in: ") + holders.join(QStringLiteral(", "))));
}

void VersionResourceTest::numericVersion_data()
{
    QTest::addColumn<QString>("statement");
    QTest::newRow("file-version") << "FILEVERSION";
    QTest::newRow("product-version") << "PRODUCTVERSION";
}

void VersionResourceTest::numericVersion()
{
    QFETCH(QString, statement);
    QVERIFY2(m_script.fixed.contains(statement), qPrintable(statement + QStringLiteral(" is missing")));
    QCOMPARE(m_script.fixed.value(statement), QStringLiteral("1,0,0,0"));
}

void VersionResourceTest::translation()
{
    const QStringList entries = m_script.values.value(QStringLiteral("VarFileInfo"));
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.first().section(QLatin1Char('='), 0, 0), QStringLiteral("Translation"));
    const QStringList numbers = entries.first().section(QLatin1Char('='), 1).split(QLatin1Char(','));
    QCOMPARE(numbers.size(), 2);
    QCOMPARE(scriptNumber(numbers.at(0)), 0x409);
    QCOMPARE(scriptNumber(numbers.at(1)), 1200);
}

void VersionResourceTest::iconHoldsTheDesktopSizes_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("small-16") << 16;
    QTest::newRow("window-32") << 32;
    QTest::newRow("explorer-48") << 48;
    QTest::newRow("large-256") << 256;
}

void VersionResourceTest::iconHoldsTheDesktopSizes()
{
    QFETCH(int, size);
    QCOMPARE(m_script.icons.size(), qsizetype(1));
    const QString path = QFileInfo(QStringLiteral(ORLO_VERSION_SCRIPT)).dir().filePath(m_script.icons.first());
    QFile icon(path);
    QVERIFY2(icon.open(QIODevice::ReadOnly), qPrintable(QStringLiteral("cannot read ") + path));
    const QByteArray data = icon.readAll();

    // ICONDIR: reserved 0, type 1, count; then 16-byte entries whose width
    // and height bytes read 0 for 256 pixels.
    QVERIFY2(data.size() >= 6, "the icon file is too short");
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
    QCOMPARE(qFromLittleEndian<quint16>(bytes), quint16(0));
    QCOMPARE(qFromLittleEndian<quint16>(bytes + 2), quint16(1));
    const int count = qFromLittleEndian<quint16>(bytes + 4);
    QVERIFY2(data.size() >= 6 + 16 * count, "the icon directory is cut short");
    bool found = false;
    for (int i = 0; i < count; ++i) {
        const uchar *entry = bytes + 6 + 16 * i;
        const int width = entry[0] == 0 ? 256 : entry[0];
        const int height = entry[1] == 0 ? 256 : entry[1];
        const quint32 length = qFromLittleEndian<quint32>(entry + 8);
        const quint32 offset = qFromLittleEndian<quint32>(entry + 12);
        QVERIFY2(quint64(offset) + length <= quint64(data.size()), "an image lies outside the icon file");
        found = found || (width == size && height == size);
    }
    QVERIFY2(found, qPrintable(QStringLiteral("no %1 x %1 image in %2").arg(size).arg(path)));
}

QTEST_APPLESS_MAIN(VersionResourceTest)
#include "version_resource_test.moc"
