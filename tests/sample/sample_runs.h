// The sample product's packages run as its users run them: release A through the wizard.
#pragma once

#include <string>

namespace sample {

// The wizard from the welcome page to the finish page, leaving the program unstarted.
void InstallThroughTheWizard(const std::wstring& package);

}  // namespace sample
