// Comparing the package's file list with the installed one: which files to copy and which to
// delete. Names match without regard to letter case, the first entry of a name standing for it;
// values must be equal exactly.
#pragma once

#include <string>
#include <vector>

#include "core/upgrade/file_list.h"

namespace upgrade {

// Appends "copy=" + name for every entry of `newList`, in its order, that `oldList` lacks or
// gives another value. The entry named exactly "Application_FileList.txt" (letter case counting)
// is passed over: the list file is copied on its own once the upgrade is done.
void ListCopies(const FileList& newList, const FileList& oldList, std::vector<std::wstring>& lines);

// Appends "delete=" + name for every entry of `oldList`, in its order, that `newList` lacks,
// "Application_FileList.txt" included.
void ListDeletions(const FileList& newList, const FileList& oldList,
                   std::vector<std::wstring>& lines);

// The lines of "ComparedResult.txt": the copies, then the deletions. Empty when the lists agree.
std::vector<std::wstring> CompareFileLists(const FileList& newList, const FileList& oldList);

}  // namespace upgrade
