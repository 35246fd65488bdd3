#include "order_commands.h"

#include "command_output.h"
#include "contest_journal.h"
#include "contestant_names.h"
#include "journal_reader.h"
#include "journal_words.h"
#include "order_draw.h"


#include <cstdio>

namespace orlo {

int drawOrderCommand(const QString &journalPath, const QString &caption, std::optional<std::uint64_t> seed,
                     std::int64_t contest)
{
    try {
        journal::JournalReader reader(journalPath.toStdString());
        reader.chooseContest(contest);
        const std::vector<contest::Entry> entries = reader.entries();
        // As typed on the command line, "class  i" names Class I.
        std::string named;
        std::vector<std::int64_t> entered;
        for (const contest::Entry &entry : entries)
            for (const std::string &each : entry.classes)
                if (contest::sameName(each, caption.toStdString())) {
                    named = each;
                    entered.push_back(entry.id);
                }
        if (entered.empty()) {
            say(QStringLiteral("Nobody is entered in the class \"%1\"; nothing was drawn.").arg(caption));
            return 1;
        }
        std::sort(entered.begin(), entered.end());
        contest::FlyingOrder order = reader.flightOrder();
        contest::ClassOrder drawn = order.orderOf(named);
        drawn.method = contest::OrderMethod::Drawn;
        drawn.seed = seed.value_or(contest::freshSeed());
        drawn.entries = contest::drawOrder(entered, drawn.seed);
        std::erase_if(order.classes, [&](const contest::ClassOrder &kept) { return kept.caption == named; });
        order.classes.push_back(drawn);
        journal::ContestJournal journal(journalPath.toStdString());
        journal.chooseContest(contest);
        journal.setFlightOrder(order);
        std::printf("Drew the order of %s with seed %llu:\n", named.c_str(), static_cast<unsigned long long>(drawn.seed));
        int place = 0;
        for (std::int64_t id : drawn.entries)
            for (const contest::Entry &entry : entries)
                if (entry.id == id)
                    std::printf("%d. %s%s%s\n", ++place, entry.name.c_str(), entry.number.empty() ? "" : " ",
                                entry.number.c_str());
        return 0;
    } catch (const journal::JournalProblem &problem) {
        say(QString::fromStdString(journalSentence(problem)) + QStringLiteral(" Nothing was drawn."));
    } catch (const std::exception &failure) {
        say(QString::fromStdString(failure.what()) + QStringLiteral(". Nothing was drawn."));
    }
    return 1;
}

} // namespace orlo
