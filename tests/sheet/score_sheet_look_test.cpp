#include "artwork_drawing.h"
#include "caption_fit.h"
#include "dark_desktop.h"
#include "designed_palette.h"
#include "event_classes.h"
#include "hang_watchdog.h"
#include "score_sheet_window.h"
#include "sheet_artwork.h"
#include "sheet_driver.h"
#include "tahoma_font.h"

#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTest>

#include <link.h>

#include <memory>

using namespace orlo;
using namespace orlo::ctl;

namespace {

QFont tahomaRegular(int pixelSize)
{
    QFont font = tahomaBold(pixelSize);
    font.setBold(false);
    return font;
}

// How much ink a caption takes in a font: the sum of its darkness.
qint64 inkOf(const QFont &font)
{
    QImage image(300, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(2, 20), QStringLiteral("Landing Points Calc. Score"));
    painter.end();
    qint64 ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ink += 255 - qGray(image.pixel(x, y));
    }
    return ink;
}

// The longest row or column of near-black pixels in a control as drawn: a
// focus frame makes one, a caption's letters do not.
int longestDarkRun(QWidget &widget)
{
    const QImage image = widget.grab().toImage();
    const auto dark = [&image](int x, int y) { return qGray(image.pixel(x, y)) < 64; };
    int longest = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0, run = 0; x < image.width(); ++x)
            longest = std::max(longest, run = dark(x, y) ? run + 1 : 0);
    }
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0, run = 0; y < image.height(); ++y)
            longest = std::max(longest, run = dark(x, y) ? run + 1 : 0);
    }
    return longest;
}

// The image plug-ins this process has loaded.
QStringList imagePluginsLoaded()
{
    QStringList found;
    dl_iterate_phdr(
        [](dl_phdr_info *library, size_t, void *names) {
            const QString name = QString::fromLocal8Bit(library->dlpi_name);
            if (name.contains(QLatin1String("/imageformats/")))
                static_cast<QStringList *>(names)->append(name);
            return 0;
        },
        &found);
    return found;
}

// A group box as a style draws it, with the sheet's font.
QImage groupBoxIn(QStyle *style, const QString &title, bool checkable)
{
    QGroupBox box(title);
    box.setStyle(style);
    box.setFont(tahomaBold(13));
    box.setCheckable(checkable);
    box.resize(93, 57);
    return box.grab().toImage();
}

} // namespace

class ScoreSheetLookTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void startUpFields_data();
    void startUpFields();
    void startUpState();
    void picturesAreTheDrawings();
    void groupBoxFrameIsTheStyles_data();
    void groupBoxFrameIsTheStyles();
    void fontsAndColours();
    void captionsFitTheirBoxes();
    void nothingMovesOnResize();
    void sheetFitsItsScreen();
    void accessibleNames();
};

void ScoreSheetLookTest::initTestCase()
{
    QVERIFY2(prepareSheetTests(), "the Tahoma-metric fonts of fonts-wine are installed");
}

void ScoreSheetLookTest::startUpFields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("readOnly");

    QTest::newRow("hs-watch-one") << "HS_Watch_0" << "0.0" << true << false;
    QTest::newRow("hs-watch-two") << "HS_Watch_1" << "0.0" << true << false;
    QTest::newRow("hs-time") << "HS_Time" << "0.0" << true << true;
    QTest::newRow("hs-mph") << "HS_MPH" << "0.0" << true << true;
    QTest::newRow("hs-points") << "HS_Points" << "0.0" << true << true;
    QTest::newRow("ls-watch-one") << "LS_Watch_0" << "0.0" << true << false;
    QTest::newRow("ls-watch-two") << "LS_Watch_1" << "0.0" << true << false;
    QTest::newRow("ls-time") << "LS_Time" << "0.0" << true << true;
    QTest::newRow("ls-mph") << "LS_MPH" << "0.0" << true << true;
    QTest::newRow("ls-points") << "LS_Points" << "0.0" << true << true;
    QTest::newRow("engines") << "Engines_0" << "1" << true << false;
    QTest::newRow("engines-running-hidden") << "Engines_1" << "1" << false << false;
    QTest::newRow("landing-editable") << "LandingPts" << "0" << true << false;
    QTest::newRow("score") << "Score" << "0" << true << true;
}

void ScoreSheetLookTest::startUpFields()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(bool, visible);
    QFETCH(bool, readOnly);

    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts with the focus on Class I");
    const auto *field = window.findChild<QLineEdit *>(name);
    QVERIFY2(field, qPrintable(name + " exists"));
    QCOMPARE(field->text(), text);
    QCOMPARE(field->isVisible(), visible);
    QCOMPARE(field->isReadOnly(), readOnly);
    QVERIFY2(field->alignment() & Qt::AlignRight, "text boxes are right-aligned");
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('|')));
}

void ScoreSheetLookTest::startUpState()
{
    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts with the focus on Class I");

    QCOMPARE(window.windowTitle(), QStringLiteral("Orlo Carrier Scoring Program"));
    QCOMPARE(window.size(), QSize(861, 585));
    QVERIFY2(!window.windowIcon().isNull(), "the window shows the stopwatch");
    QVERIFY2(widgetOf<QRadioButton>(window, Class(0))->isChecked(), "start-up selects Class I");
    QCOMPARE(window.rules().classIndex(), ClassIndex{0});
    QVERIFY2(widgetOf<QRadioButton>(window, ScalePts(0))->isChecked(), "scale option 0 starts selected");
    QCOMPARE(widgetOf<QRadioButton>(window, ScalePts(1))->text(), QStringLiteral("100"));
    QVERIFY2(widgetOf<QRadioButton>(window, ScalePts(1))->isVisible(), "Class I shows the scale options");
    QVERIFY2(!window.findChild<QLabel *>(QStringLiteral("lblRunning"))->isVisible(), "lblRunning starts hidden");
    QVERIFY2(!widgetOf(window, Summary)->isVisible(), "the summary starts hidden");
    // No picture of the sheet needs an image plug-in, and loading them costs
    // start-up. (Before groupBoxFrameIsTheStyles, whose plain style loads them.)
    window.grab();
    QVERIFY2(imagePluginsLoaded().isEmpty(),
             qPrintable("drawing the sheet loaded the image plug-ins " + imagePluginsLoaded().join(", ")));
    for (const QPushButton *button : window.findChildren<QPushButton *>())
        QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->objectName() + " is no default"));
    QTest::qWait(50);
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('|')));
}

// The logo, the window icon and the headings come from images made at build
// time: they are the drawings, pixel for pixel, at the sizes they are shown
// at, and the headings are what their labels draw of their text here.

void ScoreSheetLookTest::picturesAreTheDrawings()
{
    ScoreSheetWindow window;
    const auto *image = window.findChild<QLabel *>(QStringLiteral("Image1"));
    QCOMPARE(image->contentsRect().size(), carrierLogoSize);
    QVERIFY2(image->pixmap().toImage().convertToFormat(QImage::Format_RGB32) == drawCarrierLogo(carrierLogoSize),
             "the sheet's logo is the drawing at its box size");

    const QIcon icon = window.windowIcon();
    QVERIFY2(icon.availableSizes().contains(QSize(32, 32)), "the window icon has a 32 x 32 picture");
    for (const QSize &size : icon.availableSizes()) {
        QImage drawn(size, QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        paintStopwatch(painter, QRectF(QPointF(0, 0), size));
        painter.end();
        const QImage shown = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QVERIFY2(shown == drawn, qPrintable(QStringLiteral("the %1-pixel icon is the stopwatch").arg(size.width())));
    }

    for (const SheetHeading &heading : sheetHeadings) {
        QVERIFY2(!headingArtwork(heading).isNull(), heading.name);
        auto *label = window.findChild<QLabel *>(QLatin1String(heading.name));
        QVERIFY2(label->grab().toImage().convertToFormat(QImage::Format_RGB32) == drawHeading(heading),
                 qPrintable(label->text() + " shows the pixels its text gives here"));
    }
}

// The designed look draws the group box frame itself under some styles: to
// the pixel as the style it stands in for would.
void ScoreSheetLookTest::groupBoxFrameIsTheStyles_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("checkable");
    QTest::newRow("titled, as Scale Points") << QStringLiteral("Scale Points") << false;
    QTest::newRow("untitled") << QString() << false;
    QTest::newRow("checkable, untitled") << QString() << true;
}

void ScoreSheetLookTest::groupBoxFrameIsTheStyles()
{
    QFETCH(QString, title);
    QFETCH(bool, checkable);
    auto *designed = qobject_cast<QProxyStyle *>(designedStyle());
    QVERIFY2(designed && designed->baseStyle(), "the designed look stands in for a style");
    const std::unique_ptr<QStyle> base(QStyleFactory::create(designed->baseStyle()->name()));
    QVERIFY2(base, qPrintable(designed->baseStyle()->name() + " can be made again"));
    QVERIFY2(groupBoxIn(designed, title, checkable) == groupBoxIn(base.get(), title, checkable),
             qPrintable("the frame differs from " + base->name() + "'s own"));
}

void ScoreSheetLookTest::fontsAndColours()
{
    // A desktop with a dark colour scheme, set before the sheet is made.
    const DarkDesktop dark;
    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts");
    for (const QWidget *widget : window.findChildren<QWidget *>()) {
        const QFontInfo used(widget->font());
        QVERIFY2(used.family() == QLatin1String("Tahoma") && used.bold(),
                 qPrintable(widget->objectName() + " uses " + used.family()));
    }
    QVERIFY2(inkOf(tahomaBold(13)) > inkOf(tahomaRegular(13)) * 5 / 4, "bold draws visibly heavier than regular");
    const auto *title = window.findChild<QLabel *>(QStringLiteral("Label1"));
    QCOMPARE(title->font().pixelSize(), 32);
    QCOMPARE(title->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    const auto *credit = window.findChild<QLabel *>(QStringLiteral("Label2"));
    QCOMPARE(credit->font().pixelSize(), 19);
    QCOMPARE(credit->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QVERIFY2(!credit->text().isEmpty(), "the credit line says something");

    // The designed colours, whatever the desktop's.
    QCOMPARE(window.palette().color(QPalette::Window), QColor(239, 239, 239));
    QCOMPARE(QColor(window.grab().toImage().pixel(300, 430)), QColor(239, 239, 239));
    QCOMPARE(widgetOf(window, HS_Watch(0))->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(widgetOf(window, HS_Watch(0))->palette().color(QPalette::Text), QColor(Qt::black));

    // The focus shows at a glance: on Class I from the start, then on a
    // button and on a watch field; a message box keeps the colours too.
    QVERIFY2(longestDarkRun(*widgetOf(window, Class(0))) >= 30, "Class I shows it has the focus");
    QVERIFY2(longestDarkRun(*widgetOf(window, Class(1))) < 30, "Class II shows no focus");
    QVERIFY(clickOn(window, Command1));
    QVERIFY2(longestDarkRun(*widgetOf(window, Command1)) >= 60, "the button shows it has the focus");
    QVERIFY2(longestDarkRun(*widgetOf(window, Command2)) < 30, "the other button shows no focus");
    QVERIFY(clickOn(window, HS_Watch(0)));
    QVERIFY2(longestDarkRun(*widgetOf(window, HS_Watch(0))) >= 60, "the watch field shows it has the focus");
    QVERIFY2(longestDarkRun(*widgetOf(window, HS_Watch(1))) < 30, "the other watch field shows no focus");
    QVERIFY(type(QStringLiteral("-1")) && press(Qt::Key_Tab));
    QTRY_COMPARE_WITH_TIMEOUT(messages.texts(), QStringList{negativeHighSpeed}, hangWatchdogMs);
    QVERIFY2(messages.faults().isEmpty(), qPrintable(messages.faults().join('|')));
}

void ScoreSheetLookTest::captionsFitTheirBoxes()
{
    ScoreSheetWindow window;
    QVERIFY2(startSheet(window), "the sheet starts");
    QStringList cutOff = captionsCutOff(window);
    QVERIFY2(cutOff.isEmpty(), qPrintable(cutOff.join(QStringLiteral("; "))));

    // The two lower scale captions of the classes, once each has been shown.
    QVERIFY(clickOn(window, Class(2)));
    QTRY_COMPARE_WITH_TIMEOUT(widgetOf<QRadioButton>(window, ScalePts(1))->text(), QStringLiteral("10"), hangWatchdogMs);
    cutOff = captionsCutOff(window);
    QVERIFY2(cutOff.isEmpty(), qPrintable(cutOff.join(QStringLiteral("; "))));

    // The check itself notices a caption too long for its box.
    widgetOf<QRadioButton>(window, Class(0))->setText(QStringLiteral("Class I with a caption far too long"));
    QVERIFY2(captionsCutOff(window).size() == 1, "an overlong option caption is reported");
}

void ScoreSheetLookTest::nothingMovesOnResize()
{
    ScoreSheetWindow window;
    QVERIFY2(startSheet(window), "the sheet starts");
    // The controls keep their places on the sheet's page, which scrolls in
    // a window smaller than the sheet.
    const auto *page = window.findChild<QWidget *>(QStringLiteral("SheetPage"));
    QVERIFY2(page, "the controls are on the sheet's page");
    QMap<QString, QRect> before;
    for (const QWidget *widget : page->findChildren<QWidget *>())
        before[widget->objectName()] = widget->geometry();
    QCOMPARE(widgetOf(window, HS_Watch(0))->geometry(), QRect(4, 312, 89, 21));
    QCOMPARE(widgetOf(window, Command4)->geometry(), QRect(748, 540, 85, 41));

    for (const QSize size : {QSize(1200, 900), QSize(400, 300)}) {
        window.resize(size);
        QTRY_COMPARE_WITH_TIMEOUT(window.size(), size, hangWatchdogMs);
        for (const QWidget *widget : page->findChildren<QWidget *>())
            QVERIFY2(widget->geometry() == before.value(widget->objectName()),
                     qPrintable(widget->objectName() + " moved"));
    }
}

// A sheet larger than the screen's free area opens no larger than that area
// and scrolls each control into view as the keyboard reaches it; where the
// sheet fits, it opens at its own size without scroll bars.

void ScoreSheetLookTest::sheetFitsItsScreen()
{
    ScoreSheetWindow window;
    MessageAnswerer messages;
    window.fitToScreen();
    QVERIFY2(startSheet(window), "the sheet starts");
    const QSize room = window.screen()->availableGeometry().size();
    qInfo("free area of the screen: %dx%d", room.width(), room.height());
    const auto *scroller = window.findChild<QScrollArea *>(QStringLiteral("SheetScroller"));
    QVERIFY2(scroller, "the sheet lies in a scroll area");
    if (room.width() >= 861 && room.height() >= 585) {
        QCOMPARE(window.size(), QSize(861, 585));
        QVERIFY2(!scroller->horizontalScrollBar()->isVisible() && !scroller->verticalScrollBar()->isVisible(),
                 "a sheet that fits shows no scroll bars");
        return;
    }
    QVERIFY2(window.width() <= room.width() && window.height() <= room.height(),
             qPrintable(QStringLiteral("the sheet opened at %1x%2").arg(window.width()).arg(window.height())));
    // Tab reaches every stop, each scrolled fully into view; a high-speed
    // reading lets the focus past the watches.
    const QWidget *viewport = scroller->viewport();
    for (int stop = 0; stop < 20 && focusName() != QLatin1String("Command4"); ++stop) {
        if (focusName() == QLatin1String("HS_Watch_0"))
            QVERIFY(type(QStringLiteral("12.3")));
        QVERIFY(tabOn(window));
        const QWidget *focused = QApplication::focusWidget();
        QTRY_VERIFY2_WITH_TIMEOUT(viewport->rect().contains(QRect(focused->mapTo(viewport, QPoint(0, 0)), focused->size())),
                     qPrintable(focused->objectName() + " is out of view"), hangWatchdogMs);
    }
    QCOMPARE(focusName(), QStringLiteral("Command4"));
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('|')));
}

void ScoreSheetLookTest::accessibleNames()
{
    ScoreSheetWindow window;
    QSet<QString> seen;
    const auto check = [&](const QWidget *widget) {
        const QString name = widget->accessibleName();
        QVERIFY2(!name.isEmpty(), qPrintable(widget->objectName() + " has an accessible name"));
        QVERIFY2(!seen.contains(name), qPrintable(name + " names one field only"));
        seen.insert(name);
    };
    for (const QLineEdit *field : window.findChildren<QLineEdit *>())
        check(field);
    for (const QRadioButton *option : window.findChildren<QRadioButton *>())
        check(option);
    QCOMPARE(widgetOf(window, HS_Watch(1))->accessibleName(), QStringLiteral("High Speed Watch Two"));
    QCOMPARE(widgetOf(window, Engines(1))->accessibleName(), QStringLiteral("Engines Running at End of High Speed"));
    QCOMPARE(widgetOf(window, Class(5))->accessibleName(), QStringLiteral("Skyray Carrier"));
}

QTEST_MAIN(ScoreSheetLookTest)
#include "score_sheet_look_test.moc"
