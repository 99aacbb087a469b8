#include "tools/package_check/required_texts.h"

namespace package_check {
namespace {

constexpr RequiredText kTexts[] = {
    {kWizardSection, L"ProductName", false},
    {kWizardSection, L"FPrepare->Caption", false},
    {kWizardSection, L"MSG_001", false},
    {kWizardSection, L"MSG_101", false},
    {kWizardSection, L"MSG_102", false},
    {kWizardSection, L"MSG_201", false},
    {kWizardSection, L"MSG_302", false},
    {kWizardSection, L"MSG_501", false},
    {kWizardSection, L"MSG_502", false},
    {kWizardSection, L"MSG_503", false},
    {kWizardSection, L"CopyFiles", false},
    {kWizardSection, L"WriteRegOnUninstallFolder", false},
    {kWizardSection, L"WriteRegOnBootName", false},
    {kWizardSection, L"CreateLinks", false},
    {kWizardSection, L"WriteRegOnPrivateFolder", false},
    {kUninstallSection, L"DISPLAY_NAME", false},
    {kUninstallSection, L"PUBLISHER", false},
    {kUninstallSection, L"URL", true},
    {kUninstallSection, L"LINK_PROGRAMS_PUBLISHER", true},
    {kUninstallSection, L"LINK_PROGRAMS_FOLDER", true},
    {kUninstallSection, L"LINK_PROGRAMS_EXEC", false},
    {kUninstallSection, L"LINK_PROGRAMS_UNIST", false},
    {kUninstallSection, L"LINK_PROGRAMS_MANUAL", false},
    {kUninstallSection, L"LINK_DESKTOP", false},
};

// Controls whose captions the pages take from the workbook. Labels that the program fills
// itself (the version, the progress status lines) are not among them.
constexpr RequiredCaption kCaptions[] = {
    {L"FPrepare", L"lb_Prepare"},
    {L"FPrepare", L"lb_PrepareProc"},
    {L"FPrepare", L"bt_Cancel"},
    {L"FWelcome", L"lb_Welcome"},
    {L"FWelcome", L"lb_StartInstallation"},
    {L"FWelcome", L"bt_Next"},
    {L"FWelcome", L"bt_Cancel"},
    {L"FEULA", L"rb_AgreeEULA"},
    {L"FEULA", L"rb_DisapproveOfEULA"},
    {L"FEULA", L"bt_PrintEULA"},
    {L"FEULA", L"bt_Previous"},
    {L"FEULA", L"bt_Next"},
    {L"FEULA", L"bt_Cancel"},
    {L"FAskInstall", L"lb_Title"},
    {L"FAskInstall", L"lb_AskInstall"},
    {L"FAskInstall", L"bt_Previous"},
    {L"FAskInstall", L"bt_Install"},
    {L"FAskInstall", L"bt_Cancel"},
    {L"FAskUpgradeAndRepair", L"lb_AskUpgradeXRepair"},
    {L"FAskUpgradeAndRepair", L"bt_Upgrade"},
    {L"FAskUpgradeAndRepair", L"bt_Cancel"},
    {L"FInstall", L"lb_Title"},
    {L"FInstall", L"lb_Install"},
    {L"FInstall", L"bt_Cancel"},
    {L"FUninstall", L"lb_Title"},
    {L"FUninstall", L"lb_Uninstall"},
    {L"FUninstall", L"bt_Cancel"},
    {L"FUpgradeAndRepair", L"lb_UpgradeXRepair"},
    {L"FUpgradeAndRepair", L"bt_Cancel"},
    {L"FFinish", L"lb_Finish_Install"},
    {L"FFinish", L"lb_FinishInstallNotes"},
    {L"FFinish", L"lb_Finish_Uninstall"},
    {L"FFinish", L"lb_FinishUninstallNotes"},
    {L"FFinish", L"lb_Finish_Upgrade"},
    {L"FFinish", L"lb_FinishUpgradeNotes"},
    {L"FFinish", L"ck_StartProgram"},
    {L"FFinish", L"bt_Finish"},
    {L"FCancel", L"lb_Cancel"},
    {L"FCancel", L"lb_Notes"},
    {L"FCancel", L"bt_OK"},
    {L"FCancelConfirm", L"lb_CancelConfirm"},
    {L"FCancelConfirm", L"bt_OK"},
    {L"FCancelConfirm", L"bt_Cancel"},
    {L"FUninstallConfirm", L"lb_UninstallConfirm"},
    {L"FUninstallConfirm", L"bt_OK"},
    {L"FUninstallConfirm", L"bt_Cancel"},
};

}  // namespace

std::span<const RequiredText> RequiredTexts() {
  return kTexts;
}
std::span<const RequiredCaption> RequiredCaptions() {
  return kCaptions;
}

}  // namespace package_check
