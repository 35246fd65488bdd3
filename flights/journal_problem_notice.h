#pragma once

#include <QWidget>

// Tells the official that flights are not being kept: a small window over
// the sheet that shows without activating and never takes the focus, so the
// sheet's focus and the rules that follow it go on as before. The official
// closes it with its button or leaves it.
class JournalProblemNotice final : public QWidget {
    Q_OBJECT
public:
    JournalProblemNotice(const QString &problem, QWidget *sheet);

    // Shows a notice over the sheet once the event loop runs: the journal
    // reports from inside a press of "Calc. Score" and before the sheet is shown.
    static void showLater(const QString &problem, QWidget *sheet);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeOverSheet();

    QWidget *m_sheet;
};
