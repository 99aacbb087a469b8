#include "util/file_permissions.h"

#include <aclapi.h>

#include <array>
#include <optional>
#include <vector>

#include "util/held_folder.h"
#include "util/removal_guards.h"
#include "util/scoped_handle.h"
#include "util/setup_log.h"

namespace {

// A well-known SID in a buffer of its own.
class WellKnownSid {
 public:
  explicit WellKnownSid(WELL_KNOWN_SID_TYPE type) {
    DWORD size = sizeof(buffer_);
    valid_ = ::CreateWellKnownSid(type, nullptr, buffer_, &size) != FALSE;
  }
  PSID Get() const { return valid_ ? const_cast<BYTE*>(buffer_) : nullptr; }

 private:
  BYTE buffer_[SECURITY_MAX_SID_SIZE] = {};
  bool valid_ = false;
};

struct Grant {
  WELL_KNOWN_SID_TYPE who;
  DWORD rights;
};

constexpr Grant kEveryoneFullGrants[] = {{WinWorldSid, FILE_ALL_ACCESS},
                                         {WinLocalSystemSid, FILE_ALL_ACCESS}};
constexpr Grant kAdministratorsOnlyGrants[] = {
    {WinBuiltinAdministratorsSid, FILE_ALL_ACCESS},
    {WinLocalSystemSid, FILE_ALL_ACCESS},
    {WinBuiltinUsersSid, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE}};

// A protected access list, as a self-contained security descriptor.
class ProtectedAccessList {
 public:
  ProtectedAccessList(TreeAccess access, bool folder) {
    const Grant* begin = access == TreeAccess::kEveryoneFull
                             ? std::begin(kEveryoneFullGrants)
                             : std::begin(kAdministratorsOnlyGrants);
    const Grant* end = access == TreeAccess::kEveryoneFull ? std::end(kEveryoneFullGrants)
                                                           : std::end(kAdministratorsOnlyGrants);
    acl_.assign(1024 / sizeof(DWORD), 0);
    auto* acl = reinterpret_cast<PACL>(acl_.data());
    ok_ = ::InitializeAcl(acl, static_cast<DWORD>(acl_.size() * sizeof(DWORD)), ACL_REVISION);
    const DWORD inherit = folder ? OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE : 0;
    for (const Grant* grant = begin; ok_ && grant != end; ++grant) {
      const WellKnownSid sid(grant->who);
      ok_ = sid.Get() != nullptr &&
            ::AddAccessAllowedAceEx(acl, ACL_REVISION, inherit, grant->rights, sid.Get());
    }
    ok_ = ok_ && ::InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) &&
          ::SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE) &&
          ::SetSecurityDescriptorControl(&descriptor_, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
  }
  ProtectedAccessList(const ProtectedAccessList&) = delete;
  ProtectedAccessList& operator=(const ProtectedAccessList&) = delete;

  // Sets the list on the object `handle` names, and on nothing else: unlike SetSecurityInfo this
  // carries nothing down to what lies below a folder by its path.
  bool SetOn(HANDLE handle) {
    return ok_ && ::SetKernelObjectSecurity(handle, DACL_SECURITY_INFORMATION, &descriptor_);
  }

 private:
  std::vector<DWORD> acl_;
  SECURITY_DESCRIPTOR descriptor_{};
  bool ok_ = false;
};

// Lets this elevated process set the access list and owner of entries whose own list shuts it
// out, as the command-line tools did; once per process.
void EnableOwnershipPrivileges() {
  static const bool enabled = [] {
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw))
      return false;
    const win::ScopedHandle token(raw);
    for (const wchar_t* name : {SE_RESTORE_NAME, SE_TAKE_OWNERSHIP_NAME}) {
      TOKEN_PRIVILEGES privileges{};
      privileges.PrivilegeCount = 1;
      privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
      if (::LookupPrivilegeValueW(nullptr, name, &privileges.Privileges[0].Luid)) {
        ::AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
      }
    }
    return true;
  }();
  (void)enabled;
}

class PermissionWalker {
 public:
  explicit PermissionWalker(TreeAccess access)
      : forFolders_(access, true), forFiles_(access, false) {}

  void WalkFolder(const HeldFolder& folder) {
    Set(folder.Get(), forFolders_, folder.Path());
    for (const HeldEntry& entry : folder.List()) {
      const std::wstring path = folder.Path() + L"\\" + entry.name;
      if (entry.IsLink()) {
        PassOver(L"permissions not set on a link: ", path);
      } else if (entry.IsFolder()) {
        if (const auto below = folder.OpenFolder(entry, kAccess)) {
          WalkFolder(*below);
        } else {
          Fail(path);
        }
      } else {
        SetOnFile(folder, entry, path);
      }
    }
  }

  PermissionWalk result;

 private:
  static constexpr DWORD kAccess = READ_CONTROL | WRITE_DAC;

  void SetOnFile(const HeldFolder& folder, const HeldEntry& entry, const std::wstring& path) {
    HandleFacts facts;
    const win::ScopedHandle file = folder.OpenEntry(entry, kAccess, &facts);
    if (!file.IsValid()) return Fail(path);
    // Another name of the same data may lie anywhere on the volume: its permissions stay.
    if (facts.links > 1) return PassOver(L"permissions not set on a file with hard links: ", path);
    Set(file.Get(), forFiles_, path);
  }
  void Set(HANDLE handle, ProtectedAccessList& list, const std::wstring& path) {
    if (list.SetOn(handle)) {
      ++result.set;
    } else {
      Fail(path);
    }
  }
  void PassOver(const wchar_t* why, const std::wstring& path) {
    ++result.passedOver;
    LogLine(why + path);
  }
  void Fail(const std::wstring& path) {
    ++result.failed;
    LogLine(L"permissions not set (error " + std::to_wstring(::GetLastError()) + L"): " + path);
  }

  ProtectedAccessList forFolders_;
  ProtectedAccessList forFiles_;
};

// The rights that change what an existing path names, for any folder above the file's own.
constexpr DWORD kReplaceRights = DELETE | WRITE_DAC | WRITE_OWNER | FILE_DELETE_CHILD;
// The rights that change a file, or add to or change the folder it lies in.
constexpr DWORD kWriteRights = kReplaceRights | FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA;

// Whether the access list of the entry `path` names itself keeps `rights` from every
// unprivileged group; false when it cannot be read or the entry is a link.
bool DeniesToUnprivileged(const std::wstring& path, DWORD rights, bool mustBeFolder) {
  const win::ScopedHandle handle = OpenEntryItself(path, READ_CONTROL);
  const std::optional<HandleFacts> facts = handle.IsValid() ? FactsOf(handle.Get()) : std::nullopt;
  if (!facts || facts->IsLink() || facts->IsFolder() != mustBeFolder) return false;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR raw = nullptr;
  if (::GetSecurityInfo(handle.Get(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                        &dacl, nullptr, &raw) != ERROR_SUCCESS) {
    return false;
  }
  const win::ScopedLocalMemory<void> descriptor(raw);
  // No list at all lets everybody do everything.
  if (dacl == nullptr) return false;
  static const std::array<WellKnownSid, 4> unprivileged = {
      WellKnownSid(WinWorldSid), WellKnownSid(WinBuiltinUsersSid),
      WellKnownSid(WinAuthenticatedUserSid), WellKnownSid(WinInteractiveSid)};
  GENERIC_MAPPING mapping{FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE,
                          FILE_ALL_ACCESS};
  for (DWORD index = 0; index < dacl->AceCount; ++index) {
    void* ace = nullptr;
    if (!::GetAce(dacl, index, &ace)) return false;
    const auto* header = static_cast<const ACE_HEADER*>(ace);
    if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE) != 0)
      continue;
    auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
    DWORD mask = allowed->Mask;
    ::MapGenericMask(&mask, &mapping);
    if ((mask & rights) == 0) continue;
    for (const WellKnownSid& sid : unprivileged) {
      if (sid.Get() != nullptr && ::EqualSid(&allowed->SidStart, sid.Get())) return false;
    }
  }
  return true;
}

}  // namespace

PermissionWalk SetTreePermissions(const std::wstring& folder, TreeAccess access) {
  EnableOwnershipPrivileges();
  PermissionWalker walker(access);
  // Confined like the clears: a special folder, a drive root or a folder above one is no
  // product's own, and would lose its permissions to everybody.
  if (!IsOwnFolderTree(folder)) {
    ++walker.result.failed;
    LogLine(L"guard: permissions not set, a folder that is not the product's own: " + folder);
  } else if (const auto root = HeldFolder::Open(folder, READ_CONTROL | WRITE_DAC)) {
    walker.WalkFolder(*root);
  } else {
    ++walker.result.failed;
    LogLine(L"permissions not set: not a folder of its own: " + folder);
  }
  LogLine(L"permissions set on " + std::to_wstring(walker.result.set) + L" entries, " +
          std::to_wstring(walker.result.passedOver) + L" passed over, " +
          std::to_wstring(walker.result.failed) + L" failed: " + folder);
  return walker.result;
}

bool MakeAdministratorsOwner(const std::wstring& folder) {
  EnableOwnershipPrivileges();
  const auto held = HeldFolder::Open(folder, WRITE_OWNER);
  const WellKnownSid administrators(WinBuiltinAdministratorsSid);
  const bool done =
      held && administrators.Get() != nullptr &&
      ::SetSecurityInfo(held->Get(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION,
                        administrators.Get(), nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  LogFileOperation(L"owner set to Administrators", folder, done);
  return done;
}

bool OnlyAdministratorsCanChange(const std::wstring& file) {
  // A plain drive path only: "C:\folder\file".
  if (file.size() < 4 || file[1] != L':' || file[2] != L'\\' || file.back() == L'\\') return false;
  if (!DeniesToUnprivileged(file, kWriteRights, false)) return false;
  std::wstring folder = file.substr(0, file.find_last_of(L'\\'));
  if (!DeniesToUnprivileged(folder.size() == 2 ? folder + L"\\" : folder, kWriteRights, true))
    return false;
  while (folder.size() > 2) {
    folder.resize(folder.find_last_of(L'\\'));
    if (!DeniesToUnprivileged(folder.size() == 2 ? folder + L"\\" : folder, kReplaceRights, true))
      return false;
  }
  return true;
}
