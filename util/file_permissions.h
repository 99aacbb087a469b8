// The permissions of the product's folders, set on handles: each entry of a tree is opened as
// itself (held_folder.h) and gets its access list through that handle, so no link or hard link
// planted in a folder that everybody may write to can carry a permission change to anything
// outside it.
#pragma once

#include <cstddef>
#include <string>

enum class TreeAccess {
  // Everyone and SYSTEM full, inherited by files and folders: the product and its updater write
  // there.
  kEveryoneFull,
  // Administrators and SYSTEM full, Users read and execute: only an elevated program can change
  // what lies there.
  kAdministratorsOnly,
};

struct PermissionWalk {
  std::size_t set = 0;
  // Links, and files that share their data with another name (a hard link), left as they are.
  std::size_t passedOver = 0;
  std::size_t failed = 0;
};

// Gives `folder` and every entry below it a protected access list for `access`. A folder that
// is missing or a link gets nothing (one failure). Each entry passed over or failed is logged.
PermissionWalk SetTreePermissions(const std::wstring& folder, TreeAccess access);

// Makes the Administrators group the owner of `folder` itself (not of what lies below); false
// when `folder` is missing, a link, or the owner cannot be set.
bool MakeAdministratorsOwner(const std::wstring& folder);

// Whether only administrators can change what `file` is: neither it nor any folder above it up
// to the drive is a link, and none of them lets Everyone, Users, Authenticated Users or
// Interactive write it, replace it, or change its permissions. Adding new entries to a folder
// above the file's own folder is allowed, as on any system drive: that changes no existing path.
bool OnlyAdministratorsCanChange(const std::wstring& file);
