#include "pages/wizard_run.h"

#include <optional>
#include <utility>

#include "app/app.h"

namespace pages {
namespace {

std::optional<WizardRun>& HandedRun() {
  static std::optional<WizardRun> run;
  return run;
}

}  // namespace

void HandOverRun(WizardRun run) {
  HandedRun() = std::move(run);
}

InstallInput CurrentInstallInput() {
  return {App.Settings, App.Paths,
          App.Facts(CurrentRun().Mode.value_or(prepare::RunMode::kInstall))};
}

const WizardRun& CurrentRun() {
  static const WizardRun kNone;
  return HandedRun() ? *HandedRun() : kNone;
}

bool RunHandedOver() {
  return HandedRun().has_value();
}

namespace {
bool incomplete = false;
}  // namespace

void NoteWorkIncomplete() {
  incomplete = true;
}

bool WorkIncomplete() {
  return incomplete;
}

}  // namespace pages
