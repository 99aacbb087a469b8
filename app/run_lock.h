// One run at a time for a product: a run that changes the machine holds a mutex named after the
// product's code in the Global\ namespace, so that a second run (a double click twice, a
// deployment tool retrying while a user runs the wizard) is refused instead of emptying and
// refilling the same folders and keys beside it.
//
// A Setup.exe that the holder itself starts and waits for (the earlier version's uninstaller)
// runs on the holder's behalf: the holder names its process id in the environment it passes on,
// and a run whose parent process is the named holder goes on without the mutex.
#pragma once

#include <string>

// The mutex's name for the product code `productCode`.
std::wstring RunLockName(const std::wstring& productCode);

enum class RunLockResult {
  kHeld,         // this run holds the lock until ReleaseRunLock or its end
  kHandedOver,   // the run that started this one holds it and waits for this one
  kRefused,      // another run of the product holds it
  kUnavailable,  // Windows made no mutex of that name: the run goes on without
};

// Takes the product's lock for the rest of the run, without waiting. Called once, on the thread
// that later releases it.
RunLockResult TakeRunLock(const std::wstring& productCode);

// Whether this run was handed the lock by the run that started it (kHandedOver): that run goes
// on once this one has ended.
bool RunsOnBehalfOfItsStarter();

// Lets the lock go before the run ends (the registry mode, before it starts the updater, which
// may start a Setup.exe of its own).
void ReleaseRunLock();
