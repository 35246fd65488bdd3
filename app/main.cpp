#include "score_sheet_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orlo_Score"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    ScoreSheetWindow window;
    window.show();
    return QApplication::exec();
}
