// What the workers read of the run besides its settings and paths: handed down by the page (or
// the quiet run) that starts them, so that nothing an engine does reaches the application object.
#pragma once

#include <string>

#include "core/prepare/run_mode.h"
#include "core/prepare/run_state.h"
#include "core/text/text_lookup.h"
#include "core/text/text_store.h"

struct RunFacts {
  // The run's texts; null gives "@@" for every text. The store outlives the run's workers.
  const localisation::TextStore* texts = nullptr;
  std::wstring language;     // the run's language name, as its files are named ("English")
  std::wstring productName;  // the text "ProductName"
  prepare::RunMode mode = prepare::RunMode::kInstall;
  prepare::RunState state = prepare::kRunStateUndecided;

  // The text, or "@@" when there is none.
  [[nodiscard]] std::wstring Text(std::wstring_view section, std::wstring_view identifier) const {
    return localisation::GetText(texts, section, identifier);
  }
};
