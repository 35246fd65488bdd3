#pragma once

#include "contest_settings.h"
#include "results_model.h"

#include <functional>

class QMessageBox;
class QWidget;

namespace orlo {

// A class closed in the Contest dialog while contestants are still to fly
// in it is closed only once the director says so; kept open otherwise, the
// other edits kept. Returns nullptr when no class closed there has anyone
// still to fly in shown, else the question, not yet open; either way keep
// gets the settings to keep, at once or once the question is answered.
QMessageBox *stillToFlyQuestion(contest::ContestSettings contest, const contest::Results &shown,
                                const std::function<void(const contest::ContestSettings &)> &keep, QWidget *parent);

} // namespace orlo
