#pragma once

#include "headless_sheet.h"

// The typical flight up to the landing: Class II, both runs timed.
inline void flyTypicalRuns(HeadlessSheet &sheet)
{
    using namespace orlo::ctl;
    sheet.start();
    sheet.click(Class(1));
    sheet.type(HS_Watch(0), "12.3");
    sheet.type(HS_Watch(1), "12.4");
    sheet.type(LS_Watch(0), "25");
    sheet.tab();
    sheet.tab();
}
