#include "util/shortcuts.h"

#include <shlobj.h>
#include <windows.h>

#include "util/com_init.h"

bool CreateShortcut(const std::wstring& link, const std::wstring& target,
                    const std::wstring& description, const std::wstring& arguments,
                    const std::wstring& icon) {
  win::ScopedComInitializer com;
  win::ComPtr<IShellLinkW> shellLink;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                shellLink.ReceiveVoid()))) {
    return false;
  }
  shellLink->SetPath(target.c_str());
  shellLink->SetDescription(description.c_str());
  shellLink->SetWorkingDirectory(target.substr(0, target.rfind(L'\\') + 1).c_str());
  shellLink->SetIconLocation(icon.c_str(), 0);
  if (!arguments.empty()) shellLink->SetArguments(arguments.c_str());
  win::ComPtr<IPersistFile> file;
  if (SUCCEEDED(shellLink.As(IID_IPersistFile, &file))) file->Save(link.c_str(), TRUE);
  return true;
}
