#pragma once

#include <string>

namespace orlo::exports {

// The address of the function named in one of the program's own modules
// (the XLSX writer, the printing dialogs), loaded at its first use and kept
// loaded, so that what a flight never needs is not loaded at every start.
// The module is looked for where the package installs it, beside the
// program, and then in the build tree. Throws std::runtime_error saying why
// when it cannot be found or lacks the function.
void *programModuleFunction(const std::string &module, const char *function);

} // namespace orlo::exports
