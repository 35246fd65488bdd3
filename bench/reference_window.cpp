// The yardstick for the start-up benchmark: a bare Qt Widgets window of the
// score sheet's size with as many plain controls of the same kinds (labels,
// a picture box, lines, option buttons, a frame, text boxes, a list and
// buttons), in the default font and style, with no pictures and no fonts of
// its own.
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Reference Window"));
    window.resize(861, 585);

    auto *picture = new QLabel(&window); // the logo's box, left empty
    picture->setFrameShape(QFrame::Box);
    picture->setGeometry(4, 4, 260, 197);

    // 20 labels, 4 lines, 6 + 2 option buttons in a frame, 14 text boxes
    // (one hidden), a hidden list and 4 buttons: 53 controls, as on the sheet.
    for (int i = 0; i < 20; ++i) {
        auto *label = new QLabel(QStringLiteral("Label %1").arg(i + 1), &window);
        label->setGeometry(280 + (i % 4) * 140, 8 + (i / 4) * 24, 130, 20);
        label->setVisible(i != 19);
    }
    for (int i = 0; i < 4; ++i) {
        auto *line = new QFrame(&window);
        line->setFrameShape(QFrame::HLine);
        line->setGeometry(0, 208 + i * 72, 861, 3);
    }
    for (int i = 0; i < 6; ++i)
        new QRadioButton(QStringLiteral("Option %1").arg(i + 1), &window);
    for (int i = 0; i < 6; ++i)
        window.findChildren<QRadioButton *>().at(i)->setGeometry(4 + i * 122, 236, 117, 21);
    auto *frame = new QGroupBox(QStringLiteral("Frame"), &window);
    frame->setGeometry(200, 472, 93, 57);
    auto *first = new QRadioButton(QStringLiteral("0"), frame);
    first->setGeometry(8, 16, 53, 17);
    first->setChecked(true);
    (new QRadioButton(QStringLiteral("100"), frame))->setGeometry(8, 36, 53, 17);
    for (int i = 0; i < 14; ++i) {
        auto *text = new QLineEdit(QStringLiteral("0.0"), &window);
        text->setAlignment(Qt::AlignRight);
        text->setGeometry(4 + (i % 5) * 168, 312 + (i / 5) * 72, 89, 24);
        text->setVisible(i != 13);
    }
    auto *list = new QListWidget(&window);
    list->setGeometry(504, 420, 205, 116);
    list->hide();
    for (int i = 0; i < 4; ++i)
        (new QPushButton(QStringLiteral("Button %1").arg(i + 1), &window))->setGeometry(308 + i * 98, 540, 85, 41);

    window.show();
    return QApplication::exec();
}
