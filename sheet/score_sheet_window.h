#pragma once

#include <QWidget>

// The score sheet window (placeholder until the controls are laid out).
class ScoreSheetWindow : public QWidget {
    Q_OBJECT
public:
    explicit ScoreSheetWindow(QWidget *parent = nullptr);
};
