#include "winfx/taskbar_button.h"

#include <shobjidl.h>

#include "util/com_init.h"

namespace winfx {

void RemoveTaskbarButton(HWND window) {
  win::ScopedComInitializer com;
  win::ComPtr<ITaskbarList> taskbar;
  if (FAILED(::CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList,
                                taskbar.ReceiveVoid())) ||
      FAILED(taskbar->HrInit())) {
    return;
  }
  taskbar->DeleteTab(window);
}

}  // namespace winfx
