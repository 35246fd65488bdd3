#include "score_sheet_window.h"

ScoreSheetWindow::ScoreSheetWindow(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Orlo Carrier Scoring Program"));
    resize(861, 585);
}
