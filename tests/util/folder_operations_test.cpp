// Folder walks on the real file system of the Wine prefix.
#include "util/folder_operations.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/util/test_files.h"
#include "util/folder_walk.h"

namespace {

using test_files::Attributes;
using test_files::FreshFolder;
using test_files::IsFile;
using test_files::IsFolder;
using test_files::MakeFolders;
using test_files::ReadText;
using test_files::WriteText;

class RecordingStatus : public StatusSink {
 public:
  void ShowStatus(const std::wstring& text) override { texts.push_back(text); }
  std::vector<std::wstring> Sorted() const {
    std::vector<std::wstring> sorted = texts;
    std::sort(sorted.begin(), sorted.end());
    return sorted;
  }
  std::vector<std::wstring> texts;
};

class RecordingBar : public ProgressSink {
 public:
  explicit RecordingBar(int start) : position_(start) {}
  int Position() const override { return position_; }
  void SetPosition(int position) override {
    position_ = position;
    positions.push_back(position);
  }
  std::vector<int> positions;

 private:
  int position_;
};

std::vector<std::wstring> Prefixed(const std::wstring& folder, std::vector<std::wstring> names) {
  for (std::wstring& name : names) name = folder + name;
  std::sort(names.begin(), names.end());
  return names;
}

TEST(StepProgress, RunsFromOneToAHundredAndStartsAgainAtOne) {
  const struct {
    int start;
    int end;
    std::vector<int> positions;
  } cases[] = {
      {0, 1, {1}},
      {1, 2, {2}},
      {99, 100, {100}},
      {100, 1, {0, 1}},
  };
  for (const auto& c : cases) {
    RecordingBar bar(c.start);
    StepProgress(bar);
    EXPECT_EQ(bar.Position(), c.end) << "from " << c.start;
    EXPECT_EQ(bar.positions, c.positions) << "from " << c.start;
  }
}

// The source tree of the copy tests: leave-out folders at depths 1 and 3, a file with the
// leave-out name, a folder with that name in other letter case, read-only and hidden files.
std::wstring MakeSourceTree(const std::wstring& root) {
  const std::wstring source = root + L"source\\";
  WriteText(source + L"readme.txt", "readme");
  WriteText(source + L"locked.txt", "locked");
  WriteText(source + L"secret.txt", "secret");
  ::SetFileAttributesW((source + L"locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  ::SetFileAttributesW((source + L"secret.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  WriteText(source + L"Program Files\\payload.exe", "payload");
  WriteText(source + L"data\\Program Files", "a file of that name");
  WriteText(source + L"data\\nested\\keep.txt", "keep");
  WriteText(source + L"data\\nested\\Program Files\\deep.txt", "deep");
  WriteText(source + L"other\\program files\\lower.txt", "lower");
  WriteText(source + L"existing\\new.txt", "new");
  MakeFolders(source + L"empty");
  return source;
}

// The target before the copy: a subfolder that exists with a file of its own, and a stale copy.
std::wstring MakeTarget(const std::wstring& root) {
  const std::wstring target = root + L"target\\";
  WriteText(target + L"existing\\old.txt", "old");
  WriteText(target + L"readme.txt", "stale");
  return target;
}

TEST(CopyFolderTree, CopiesEverythingButFoldersWithTheExactLeaveOutName) {
  const std::wstring root = FreshFolder(L"copy-leave-out");
  const std::wstring source = MakeSourceTree(root);
  ASSERT_NE(Attributes(source + L"locked.txt") & FILE_ATTRIBUTE_READONLY, 0u);
  ASSERT_NE(Attributes(source + L"secret.txt") & FILE_ATTRIBUTE_HIDDEN, 0u);
  const std::wstring target = MakeTarget(root);

  RecordingStatus status;
  RecordingBar bar(97);
  CopyFolderTree(source, target, &status, false, L"Program Files", &bar);

  const struct {
    const wchar_t* path;
    const char* content;  // nullptr: must not exist
  } expected[] = {
      {L"readme.txt", "readme"},
      {L"locked.txt", "locked"},
      {L"secret.txt", "secret"},
      {L"Program Files\\payload.exe", nullptr},
      {L"data\\Program Files", "a file of that name"},
      {L"data\\nested\\keep.txt", "keep"},
      {L"data\\nested\\Program Files\\deep.txt", nullptr},
      {L"other\\program files\\lower.txt", "lower"},
      {L"existing\\new.txt", "new"},
      {L"existing\\old.txt", "old"},
  };
  for (const auto& file : expected) {
    const std::wstring path = target + file.path;
    if (file.content == nullptr) {
      EXPECT_EQ(Attributes(path), INVALID_FILE_ATTRIBUTES) << "left out: " << path;
    } else {
      EXPECT_EQ(ReadText(path), file.content) << path;
    }
  }
  EXPECT_FALSE(IsFolder(target + L"Program Files")) << "the leave-out folder is not created";
  EXPECT_FALSE(IsFolder(target + L"data\\nested\\Program Files"));
  EXPECT_TRUE(IsFolder(target + L"empty")) << "an empty folder is copied as a folder";

  const std::vector<std::wstring> copied =
      Prefixed(target, {L"readme.txt", L"locked.txt", L"secret.txt", L"data\\Program Files",
                        L"data\\nested\\keep.txt", L"other\\program files\\lower.txt",
                        L"existing\\new.txt"});
  EXPECT_EQ(status.Sorted(), copied) << "the status shows each target file";
  // Seven steps from 97: 98, 99, 100, then back to 0 and on to 1, 2, 3, 4.
  EXPECT_EQ(bar.positions, (std::vector<int>{98, 99, 100, 0, 1, 2, 3, 4}));

  for (const std::wstring& file : copied) {
    EXPECT_EQ(Attributes(file) &
                  (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              0u)
        << file;
  }
  // The copy of the read-only file is not read-only: a second copy overwrites it.
  ::SetFileAttributesW((source + L"locked.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
  WriteText(source + L"locked.txt", "changed");
  CopyFolderTree(source, target, nullptr, false, L"Program Files", nullptr);
  EXPECT_EQ(ReadText(target + L"locked.txt"), "changed");
}

TEST(CopyFolderTree, WithoutLeaveOutNameOrSinksCopiesEveryFolder) {
  const std::wstring root = FreshFolder(L"copy-all");
  const std::wstring source = MakeSourceTree(root);
  const std::wstring target = root + L"target\\";
  MakeFolders(target);
  CopyFolderTree(source, target, nullptr, false, L"", nullptr);
  EXPECT_EQ(ReadText(target + L"Program Files\\payload.exe"), "payload");
  EXPECT_EQ(ReadText(target + L"data\\nested\\Program Files\\deep.txt"), "deep");
}

TEST(CopyFolderTree, FailIfExistsKeepsExistingFiles) {
  const std::wstring root = FreshFolder(L"copy-fail-if-exists");
  const std::wstring source = MakeSourceTree(root);
  const std::wstring target = MakeTarget(root);
  CopyFolderTree(source, target, nullptr, true, L"Program Files", nullptr);
  EXPECT_EQ(ReadText(target + L"readme.txt"), "stale");
  EXPECT_EQ(ReadText(target + L"existing\\new.txt"), "new");
}

TEST(CopyFolderTree, MissingSourceCopiesNothing) {
  const std::wstring root = FreshFolder(L"copy-missing");
  RecordingBar bar(5);
  CopyFolderTree(root + L"missing\\", root, nullptr, false, L"", &bar);
  EXPECT_TRUE(bar.positions.empty());
  EXPECT_TRUE(IsFolderEmpty(root));
}

TEST(SubfolderSpelling, GivesTheFolderAsSpelledOnDiskOrTheNameItself) {
  const std::wstring root = FreshFolder(L"spelling");
  MakeFolders(root + L"upper\\PROGRAM FILES");
  MakeFolders(root + L"exact\\program files");
  WriteText(root + L"file\\Program Files", "a file, not a folder");
  MakeFolders(root + L"none\\Programs");
  const struct {
    const wchar_t* folder;
    const wchar_t* expected;
  } cases[] = {
      {L"upper\\", L"PROGRAM FILES"},   {L"exact\\", L"program files"},
      {L"file\\", L"Program Files"},    {L"none\\", L"Program Files"},
      {L"missing\\", L"Program Files"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SubfolderSpelling(root + c.folder, L"Program Files"), c.expected)
        << testing::PrintToString(std::wstring(c.folder));
  }
}

TEST(ClearFolderTree, EmptiesTheFolderAndKeepsItReportingOnlyItsOwnFiles) {
  const std::wstring folder = FreshFolder(L"clear");
  WriteText(folder + L"a.txt", "a");
  WriteText(folder + L"b.txt", "b");
  WriteText(folder + L"sub\\c.txt", "c");
  WriteText(folder + L"sub\\deeper\\d.txt", "d");
  MakeFolders(folder + L"empty");

  RecordingStatus status;
  RecordingBar bar(0);
  ClearFolderTree(folder, &status, &bar);

  EXPECT_TRUE(IsFolder(folder)) << "the folder itself stays";
  EXPECT_TRUE(IsFolderEmpty(folder));
  EXPECT_EQ(status.Sorted(), Prefixed(folder, {L"a.txt", L"b.txt"}));
  EXPECT_EQ(bar.positions, (std::vector<int>{1, 2}));
}

TEST(ClearFolderTree, LeavesAReadOnlyFileAndTheFolderHoldingIt) {
  const std::wstring folder = FreshFolder(L"clear-read-only");
  WriteText(folder + L"sub\\locked.txt", "locked");
  WriteText(folder + L"sub\\plain.txt", "plain");
  ::SetFileAttributesW((folder + L"sub\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  ClearFolderTree(folder, nullptr, nullptr);
  EXPECT_EQ(ReadText(folder + L"sub\\locked.txt"), "locked");
  EXPECT_FALSE(IsFile(folder + L"sub\\plain.txt"));
}

TEST(CountFolderEntries, CountsFilesAndFoldersButTheLeaveOutName) {
  const std::wstring folder = FreshFolder(L"count");
  WriteText(folder + L"a", "");
  WriteText(folder + L"b", "");
  WriteText(folder + L"Keep\\inside.txt", "");
  MakeFolders(folder + L"Other");
  const struct {
    std::wstring folder;
    std::wstring leaveOut;
    std::int32_t count;
  } cases[] = {
      {folder, L"Keep", 3},
      {folder, L"", 4},
      {folder, L"keep", 4},  // names are compared with their letter case
      {folder, L"a", 3},     // a file of that name is left out too
      {strings::WithoutTrailingSeparator(folder), L"Keep", 3},
      {folder + L"missing", L"", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CountFolderEntries(c.folder, c.leaveOut), c.count)
        << testing::PrintToString(c.folder) << " leaving out "
        << testing::PrintToString(c.leaveOut);
  }
}

TEST(IsFolderEmpty, IsFalseForAnyEntryTrueForNoneOrNoFolder) {
  const std::wstring root = FreshFolder(L"is-empty");
  MakeFolders(root + L"empty");
  MakeFolders(root + L"only-subfolder\\sub");
  WriteText(root + L"only-hidden\\h.txt", "");
  ::SetFileAttributesW((root + L"only-hidden\\h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  const struct {
    const wchar_t* folder;
    bool empty;
  } cases[] = {
      {L"missing\\", true},
      {L"empty\\", true},
      {L"only-subfolder\\", false},
      {L"only-hidden\\", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsFolderEmpty(root + c.folder), c.empty) << testing::PrintToString(c.folder);
  }
}

// The folders below `root` that exist afterwards, and those that must not.
struct FolderCase {
  const wchar_t* path;  // below the root unless it has a drive
  const wchar_t* stop;
  std::vector<const wchar_t*> created;
  std::vector<const wchar_t*> absent;
};

std::wstring Below(const std::wstring& root, const wchar_t* path) {
  const std::wstring text = path;
  return text.size() > 1 && text[1] == L':' ? text : root + text;
}

TEST(CreateFolderPath, CreatesTheMissingFoldersBelowTheStopFolder) {
  const std::wstring root = FreshFolder(L"create");
  MakeFolders(root + L"Base");
  const std::vector<FolderCase> cases = {
      {L"Base\\A\\B\\file.txt", L"Base\\", {L"Base\\A", L"Base\\A\\B"}, {L"Base\\A\\B\\file.txt"}},
      {L"Base\\C\\Tool 1.5", L"Base", {L"Base\\C"}, {L"Base\\C\\Tool 1.5"}},
      {L"Base\\D\\E\\", L"Base", {L"Base\\D\\E"}, {}},
      {L"Missing", L"Missing\\", {}, {L"Missing"}},
      // A stop folder that is missing is neither created nor walked past.
      {L"Gone\\F\\G", L"Gone", {}, {L"Gone", L"Gone\\F"}},
      // The walk also ends at an existing folder, whatever the stop folder is.
      {L"Base\\H\\I", L"C:\\elsewhere", {L"Base\\H\\I"}, {L"C:\\elsewhere"}},
      {L"Q:\\missing\\x", L"Q:\\", {}, {}},
      {L"Q:\\missing\\x", L"C:\\", {}, {}},
  };
  for (const FolderCase& c : cases) {
    CreateFolderPath(Below(root, c.path), Below(root, c.stop));
    for (const wchar_t* folder : c.created) {
      EXPECT_TRUE(IsFolder(root + folder)) << testing::PrintToString(c.path) << ": " << folder;
    }
    for (const wchar_t* path : c.absent) {
      EXPECT_EQ(Attributes(Below(root, path)), INVALID_FILE_ATTRIBUTES)
          << testing::PrintToString(c.path) << ": " << path;
    }
  }
}

TEST(CreateFolderPath, RelativePathEndsItsWalkAndCreatesNothing) {
  const std::wstring root = FreshFolder(L"create-relative");
  ASSERT_TRUE(::SetCurrentDirectoryW(root.c_str()));
  CreateFolderPath(L"rel\\a\\b", root);
  CreateFolderPath(L"rel", L"");
  EXPECT_TRUE(IsFolderEmpty(root));
}

TEST(PrepareFolderPath, WithClearEmptiesEveryLevelBelowTheStopFolder) {
  const std::wstring root = FreshFolder(L"prepare-clear");
  WriteText(root + L"Base\\kept.txt", "kept");
  WriteText(root + L"Base\\P\\p.txt", "p");
  WriteText(root + L"Base\\P\\Side\\s.txt", "s");
  WriteText(root + L"Base\\P\\Q\\q.txt", "q");
  WriteText(root + L"Base\\P\\Q\\R\\r.txt", "r");

  EXPECT_TRUE(PrepareFolderPath(root + L"Base\\P\\Q\\R\\S", root + L"Base\\", true));

  EXPECT_EQ(ReadText(root + L"Base\\kept.txt"), "kept") << "the stop folder is not cleared";
  EXPECT_EQ(CountFolderEntries(root + L"Base\\P", L""), 1) << "only Q is left in P";
  EXPECT_EQ(CountFolderEntries(root + L"Base\\P\\Q", L""), 1) << "only R is left in Q";
  EXPECT_EQ(CountFolderEntries(root + L"Base\\P\\Q\\R", L""), 1) << "only S is left in R";
  EXPECT_TRUE(IsFolder(root + L"Base\\P\\Q\\R\\S"));
  EXPECT_TRUE(IsFolderEmpty(root + L"Base\\P\\Q\\R\\S\\"));
}

TEST(PrepareFolderPath, CreatesAMissingStopFolderFirst) {
  const std::wstring root = FreshFolder(L"prepare-stop");
  for (const bool clear : {true, false}) {
    const std::wstring base = root + (clear ? L"B1" : L"B2");
    EXPECT_TRUE(PrepareFolderPath(base + L"\\X", base, clear));
    EXPECT_TRUE(IsFolderEmpty(base + L"\\X\\")) << clear;
    EXPECT_TRUE(IsFolder(base + L"\\X")) << clear;
  }
  // Without clear an existing level ends the walk and its content stays.
  WriteText(root + L"B2\\X\\x.txt", "x");
  EXPECT_TRUE(PrepareFolderPath(root + L"B2\\X\\Y\\setup.ini", root + L"B2", false));
  EXPECT_TRUE(IsFolder(root + L"B2\\X\\Y"));
  EXPECT_EQ(ReadText(root + L"B2\\X\\x.txt"), "x");
}

TEST(PrepareFolderPath, RefusesInvalidCharactersAndTouchesNothing) {
  const std::wstring root = FreshFolder(L"prepare-invalid");
  WriteText(root + L"Base\\Keep\\file.txt", "file");
  for (const wchar_t* name : {L"a<b", L"a>b", L"a|b", L"a\"b", L"a*b", L"a?b", L"a:b", L"a\tb"}) {
    for (const bool clear : {true, false}) {
      EXPECT_FALSE(PrepareFolderPath(root + L"Base\\Keep\\" + name + L"\\x", root + L"Base", clear))
          << testing::PrintToString(name) << " clear " << clear;
    }
  }
  EXPECT_EQ(ReadText(root + L"Base\\Keep\\file.txt"), "file");
  EXPECT_EQ(CountFolderEntries(root + L"Base\\Keep", L""), 1);
}

TEST(PrepareFolderPath, WalksThatNeverReachTheStopFolderTouchNothing) {
  const std::wstring root = FreshFolder(L"prepare-outside");
  WriteText(root + L"Other\\file.txt", "file");
  ASSERT_TRUE(::SetCurrentDirectoryW(root.c_str()));
  const struct {
    std::wstring path;
    std::wstring stop;
    bool clear;
  } cases[] = {
      {root + L"Other\\X", root + L"Elsewhere", true}, {L"Q:\\missing\\x", L"Q:\\stop", true},
      {L"Q:\\missing\\x", L"Q:\\stop", false},         {L"rel\\a\\b", root + L"Other", true},
      {L"rel\\a\\b", root + L"Other", false},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(PrepareFolderPath(c.path, c.stop, c.clear)) << testing::PrintToString(c.path);
  }
  EXPECT_EQ(ReadText(root + L"Other\\file.txt"), "file");
  EXPECT_EQ(CountFolderEntries(root, L""), 1) << "nothing made beside Other";
  EXPECT_FALSE(IsFolder(root + L"Elsewhere"));
}

}  // namespace

namespace links {

struct LinkedWalk {
  const wchar_t* name;
  // Runs the walk on `root`, which holds "link", a link to the folder "outside" beside it.
  std::function<void(const std::wstring& root)> walk;
};

// A local user may plant a junction in a folder that everybody may write to; the elevated walks
// over it must leave the folder it points to as it was.
TEST(FolderWalks, NeverReachThroughAPlantedLink) {
  const LinkedWalk walks[] = {
      {L"ClearFolderTree",
       [](const std::wstring& root) { ClearFolderTree(root, nullptr, nullptr); }},
      {L"CopyFromIt",
       [](const std::wstring& root) {
         CopyFolderTree(root, test_files::FreshFolder(L"links-copy-target"), nullptr, false, L"",
                        nullptr);
       }},
      {L"CopyIntoIt",
       [](const std::wstring& root) {
         const std::wstring source = test_files::FreshFolder(L"links-copy-source");
         test_files::WriteText(source + L"link\\victim.txt", "overwritten");
         test_files::WriteText(source + L"link\\planted.txt", "planted");
         CopyFolderTree(source, root, nullptr, false, L"", nullptr);
       }},
      {L"CopyIntoTheLinkItself",
       [](const std::wstring& root) {
         const std::wstring source = test_files::FreshFolder(L"links-copy-source-2");
         test_files::WriteText(source + L"victim.txt", "overwritten");
         CopyFolderTree(source, root + L"link\\", nullptr, false, L"", nullptr);
       }},
      {L"ClearTheLinkItself",
       [](const std::wstring& root) { ClearFolderTree(root + L"link\\", nullptr, nullptr); }},
      {L"RemoveLinksInTree", [](const std::wstring& root) { RemoveLinksInTree(root); }},
  };
  for (const LinkedWalk& walk : walks) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(walk.name)));
    const std::wstring base = test_files::FreshFolder(std::wstring(L"links-") + walk.name);
    const std::wstring outside = base + L"outside\\";
    test_files::WriteText(outside + L"victim.txt", "outside");
    test_files::WriteText(outside + L"deeper\\victim.txt", "outside");
    test_files::WriteText(base + L"root\\own.txt", "own");
    ASSERT_TRUE(test_files::PlantLink(base + L"root\\link", outside));
    walk.walk(base + L"root\\");
    EXPECT_EQ(test_files::ReadText(outside + L"victim.txt"), std::optional<std::string>("outside"));
    EXPECT_EQ(test_files::ReadText(outside + L"deeper\\victim.txt"),
              std::optional<std::string>("outside"));
    EXPECT_FALSE(test_files::IsFile(outside + L"planted.txt"));
  }
}

}  // namespace links

TEST(FolderWalks, CopyAndClearPathsPastTwoHundredAndSixtyCharacters) {
  const std::wstring source = test_files::FreshFolder(L"long-source");
  const std::wstring target = test_files::FreshFolder(L"long-target");
  const std::wstring deep = std::wstring(120, L'd') + L"\\" + std::wstring(120, L'e') + L"\\";
  const std::wstring file = deep + std::wstring(60, L'f') + L".txt";
  ASSERT_GT((target + file).size(), 300u);
  ASSERT_TRUE(::CreateDirectoryW(LongPath(source + deep.substr(0, 121)).c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryW(LongPath(source + deep).c_str(), nullptr));
  const std::string text = "far down";
  ASSERT_TRUE(WriteFileBytes(LongPath(source + file),
                             {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}));

  CopyFolderTree(source, target, nullptr, false, L"", nullptr);
  EXPECT_TRUE(EveryFileArrived(source, target));
  ClearFolderTree(target, nullptr, nullptr);
  EXPECT_TRUE(IsFolderEmpty(target));
}
