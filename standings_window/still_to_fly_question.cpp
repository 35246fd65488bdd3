#include "still_to_fly_question.h"

#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace orlo {

QMessageBox *stillToFlyQuestion(contest::ContestSettings contest, const contest::Results &shown,
                                const std::function<void(const contest::ContestSettings &)> &keep, QWidget *parent)
{
    QStringList toFly, captions;
    for (const contest::ClassRule &rule : contest.classes) {
        if (!rule.final || !rule.finalAt.empty())
            continue; // open, or closed before
        for (const contest::ClassStandings &standings : shown.classes)
            for (const contest::Standing &row : standings.rows)
                if (standings.rule.caption == rule.caption && row.stillToFly) {
                    toFly << QString::fromStdString(row.contestant);
                    if (!captions.contains(QString::fromStdString(rule.caption)))
                        captions << QString::fromStdString(rule.caption);
                }
    }
    if (toFly.isEmpty()) {
        keep(contest);
        return nullptr;
    }
    const QString names = toFly.size() == 1 ? toFly.front()
                                            : toFly.mid(0, toFly.size() - 1).join(QStringLiteral(", "))
                                                  + QStringLiteral(" and ") + toFly.back();
    auto *ask = new QMessageBox(QMessageBox::Question, QStringLiteral("Close the class?"),
                                QStringLiteral("%1 %2 still to fly in %3. Close %4 anyway?")
                                    .arg(names, toFly.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"),
                                         captions.join(QStringLiteral(", ")),
                                         captions.size() == 1 ? QStringLiteral("the class") : QStringLiteral("them")),
                                QMessageBox::NoButton, parent);
    ask->setObjectName(QStringLiteral("closeWithStillToFly"));
    QPushButton *close = ask->addButton(QStringLiteral("&Close anyway"), QMessageBox::AcceptRole);
    ask->setDefaultButton(ask->addButton(QStringLiteral("&Keep open"), QMessageBox::RejectRole));
    QObject::connect(ask, &QMessageBox::finished, ask, [ask, close, contest, captions, keep]() mutable {
        if (ask->clickedButton() != close)
            for (contest::ClassRule &rule : contest.classes)
                if (captions.contains(QString::fromStdString(rule.caption)))
                    rule.final = false;
        keep(contest);
    });
    return ask;
}

} // namespace orlo
