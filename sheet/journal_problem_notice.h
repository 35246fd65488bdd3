#pragma once

#include <QFrame>

namespace orlo {

// Tells the official that flights are not being kept, or what to know of the
// flight on the sheet (its class is final, say): a framed panel laid
// over the carrier picture, where it hides no field, caption or result. It is
// part of the sheet, not a window of its own, so it can take neither the
// focus nor the sheet's activation, and the rules that follow the focus go on
// as before. The official closes it with its button or leaves it.
class JournalProblemNotice final : public QFrame {
    Q_OBJECT
public:
    JournalProblemNotice(const QString &problem, QWidget *sheet);

    // Shows a notice over the sheet once the event loop runs: the journal
    // reports from inside a press of "Calc. Score" and before the sheet is shown.
    static void showLater(const QString &problem, QWidget *sheet);
    // Shows the remark on the flight on the sheet in place of the one shown
    // before, if any; an empty remark only takes the one before away.
    static void showRemark(const QString &remark, QWidget *sheet);
};

} // namespace orlo
