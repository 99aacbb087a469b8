#include "main/create_forms.h"

#include "pages/ask_install_page.h"
#include "pages/ask_upgrade_page.h"
#include "pages/cancel_confirm_dialog.h"
#include "pages/cancelled_page.h"
#include "pages/eula_page.h"
#include "pages/finish_page.h"
#include "pages/install_page.h"
#include "pages/uninstall_confirm_dialog.h"
#include "pages/uninstall_page.h"
#include "pages/upgrade_page.h"
#include "pages/welcome_page.h"
#include "prepare/prepare_form.h"
#include "winfx/application.h"

void CreateForms() {
  using winfx::Application;
  // The order matters: the first form created is the main window, and the pages rely on the
  // preparation window existing when they are built.
  Application.CreateForm(FPrepare);
  Application.CreateForm(FWelcome);
  Application.CreateForm(FAskInstall);
  Application.CreateForm(FAskUpgradeAndRepair);
  Application.CreateForm(FCancelConfirm);
  Application.CreateForm(FCancel);
  Application.CreateForm(FEULA);
  Application.CreateForm(FFinish);
  Application.CreateForm(FInstall);
  Application.CreateForm(FUpgradeAndRepair);
  Application.CreateForm(FUninstallConfirm);
  Application.CreateForm(FUninstall);
}
