#include "headless_sheet.h"

#include "landing_dialog.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace orlo;
using namespace orlo::ctl;

namespace {

// The landing points dialog without a window, enough for "Done" to grade a landing.
class HeadlessDialog final : public DialogFields {
public:
    bool isSelected(int option) const override { return option == m_selected; }
    void select(int option) override { m_selected = option; }
    void addItem(std::string_view item) override { m_items.emplace_back(item); }
    int listIndex() const override { return m_listIndex; }
    void setListIndex(int index) override { m_listIndex = index; }
    void setFocus(DialogCtl) override {}
    void closeDialog() override { m_closed = true; }

    bool isClosed() const { return m_closed; }

private:
    int m_selected = -1;
    int m_listIndex = -1;
    std::vector<std::string> m_items;
    bool m_closed = false;
};

// The typical flight: Class II, both runs on two watches, one engine, a
// normal arrest with two landing laps missed, then "Calc. Score".
void flyTypicalFlight(HeadlessSheet &sheet)
{
    sheet.start();
    sheet.click(Class(1));
    sheet.type(HS_Watch(0), "12.3");
    sheet.type(HS_Watch(1), "12.4");
    sheet.type(LS_Watch(0), "25");
    sheet.type(LS_Watch(1), "25.2");
    sheet.tab();
    sheet.click(LandingPts);

    HeadlessDialog dialogFields;
    LandingDialog dialog(dialogFields, sheet);
    dialog.load();
    dialog.shown();
    dialogFields.setListIndex(2);
    dialog.buttonPressed();
    sheet.closeLandingDialog();

    sheet.click(Command2);
}

void typicalFlight(benchmark::State &state)
{
    for (auto _ : state) {
        HeadlessSheet sheet;
        flyTypicalFlight(sheet);
        benchmark::DoNotOptimize(sheet.text(Score));
    }
    // A flight that lost its way would measure something else.
    HeadlessSheet check;
    flyTypicalFlight(check);
    if (check.text(LandingPts) != "90" || check.text(Score) == "0" || !check.messages().empty())
        state.SkipWithError("the typical flight did not reach a score");
}
BENCHMARK(typicalFlight);

void calcScoreAlone(benchmark::State &state)
{
    HeadlessSheet sheet;
    flyTypicalFlight(sheet);
    const std::string expected = sheet.text(Score);
    for (auto _ : state) {
        sheet.rules().Command2_Click();
        benchmark::DoNotOptimize(sheet.text(Score));
    }
    if (sheet.text(Score) != expected || expected == "0")
        state.SkipWithError("\"Calc. Score\" gave a different score when pressed again");
}
BENCHMARK(calcScoreAlone);

} // namespace

BENCHMARK_MAIN();
