// The path of the product's private registry key, and narrow deletions and reads below
// HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER. Each helper opens its key for one operation, with
// KEY_WRITE to delete and KEY_READ to read, and without a view flag, so that a 32-bit program
// works in the 32-bit view as the installation does. Key paths have no leading "\" and no root
// name. Nothing is reported: a key that does not open is passed over and reads as "", and a
// deletion that fails is passed over too (RegKey writes it to the run's log).
//
// A deletion never reaches beyond what it names: an empty key path or value name is refused, so
// that a missing name cannot turn into the deletion of a root, of "Software", of the Uninstall
// key or of the Run key's default value. Callers that append a name to a shared key pass the
// shared key as the parent and the name alone as the key.
#pragma once

#include <string>

#include "core/ini/ini_file.h"

// `keyTemplate` with every `publisherToken` replaced by the publisher, then every
// `programNameToken` by the program name, exactly and case-sensitively. An empty `publisher` or
// `programName` is read from `settings` (section `section`, key = its token; null reads as
// absent). "" when either value is still empty.
std::wstring ExpandKeyTemplate(const ini::IniFile* settings, const std::wstring& section,
                               const std::wstring& keyTemplate, std::wstring publisher,
                               std::wstring programName, const std::wstring& programNameToken,
                               const std::wstring& publisherToken);

// Deletes `key` with all its subkeys below HKEY_LOCAL_MACHINE, or below the key `parent` when
// that is not "" and opens (created first with `canCreate`). Either may end with "\".
void DeleteMachineKey(const std::wstring& parent, bool canCreate, const std::wstring& key);

// Deletes the value `name` of the key `key` below HKEY_CURRENT_USER when the key opens (created
// first with `canCreate`).
void DeleteUserValue(const std::wstring& key, bool canCreate, const std::wstring& name);

// The text of the value `name` of the key `key` below HKEY_LOCAL_MACHINE (created first with
// `canCreate`); "" when the key does not open or the value is absent or not text.
std::wstring ReadMachineString(const std::wstring& name, bool canCreate, const std::wstring& key);
