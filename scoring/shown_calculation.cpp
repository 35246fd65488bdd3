#include "calculation_fields.h"
#include "score_sheet.h"

#include <algorithm>

namespace orlo {

// Every text of a finished calculation as the sheet shows it, for the journal.
CalculationRecord ScoreSheet::shownCalculation() const
{
    CalculationRecord shown;
    shown.summary = m_fields.items(ctl::Summary);
    for (const CalculationField &field : calculationFields) {
        std::string &text = shown.*field.text;
        switch (field.shownAs) {
        case ShownAs::Text:
            text = m_fields.text(field.control);
            break;
        case ShownAs::ChosenClass:
            text = m_fields.caption(ctl::Class(m_classIndex));
            break;
        case ShownAs::ChosenOption: {
            const Ctl second{field.control.name, 1};
            text = m_fields.caption(m_fields.isSelected(second) ? second : Ctl{field.control.name, 0});
            break;
        }
        case ShownAs::EngineBonus:
            if (std::ranges::find(shown.summary, engineBonusLine) != shown.summary.end())
                text = engineBonusPoints;
            break;
        }
    }
    return shown;
}

} // namespace orlo
