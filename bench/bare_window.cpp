// The start-up benchmark's floor: a Qt Widgets window of the score sheet's
// size with a single label in the default font, the least a Qt program
// pays to show a window with some text in it.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Window"));
    window.resize(861, 585);
    auto *label = new QLabel(QStringLiteral("Label"), &window);
    label->setGeometry(8, 8, 130, 20);
    window.show();
    return QApplication::exec();
}
