// The writer on Windows: what it leaves on the disk for new, read-only and hard-linked files, and
// for a folder whose name is Chinese, given as GBK bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "files/file_reader.h"
#include "files/file_writer.h"

namespace {

using vrk::FileFault;

const std::string kOld = "P1,,100.000,200.000\r\n";
const std::string kNew = "P1,,100.000,200.000,10.000\r\n\xB5\xE3\r\n";
// "测量" in GBK, and as the system names it.
const std::string kSurveyGbk = "\xB2\xE2\xC1\xBF";
const std::wstring kSurveyWide = L"\u6D4B\u91CF";

std::string Narrow(const std::wstring& wide) {
    std::string narrow;
    for (const wchar_t c : wide) {
        narrow += static_cast<char>(c);  // the temporary folder's name is ASCII here
    }
    return narrow;
}

class Win32Folder : public ::testing::Test {
  protected:
    std::wstring dir;
    std::string dirBytes;

    void SetUp() override {
        wchar_t temp[MAX_PATH + 1] = {};
        ASSERT_GT(GetTempPathW(MAX_PATH + 1, temp), 0u);
        dir = std::wstring(temp) + L"vrk-files-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(GetTickCount64());
        ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
        dirBytes = Narrow(dir);
    }
    void TearDown() override {
        const std::wstring pattern = dir + L"\\*";
        WIN32_FIND_DATAW entry{};
        const HANDLE find = FindFirstFileW(pattern.c_str(), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = entry.cFileName;
                if (name == L"." || name == L"..") {
                    continue;
                }
                const std::wstring path = dir + L"\\" + name;
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                    const std::wstring inner = path + L"\\a.txt";
                    DeleteFileW(inner.c_str());
                    RemoveDirectoryW(path.c_str());
                } else {
                    DeleteFileW(path.c_str());
                }
            } while (FindNextFileW(find, &entry));
            FindClose(find);
        }
        RemoveDirectoryW(dir.c_str());
    }
    std::string At(const std::string& name) const { return dirBytes + "\\" + name; }
    std::string Read(const std::string& path) const {
        std::string bytes;
        EXPECT_TRUE(vrk::ReadFile(path, bytes).ok()) << path;
        return bytes;
    }
    int Entries() const {
        const std::wstring pattern = dir + L"\\*";
        WIN32_FIND_DATAW entry{};
        const HANDLE find = FindFirstFileW(pattern.c_str(), &entry);
        int count = 0;
        do {
            const std::wstring name = entry.cFileName;
            count += name != L"." && name != L".." ? 1 : 0;
        } while (FindNextFileW(find, &entry));
        FindClose(find);
        return count;
    }
};

TEST_F(Win32Folder, NewAndExistingFilesGetTheBytesAndNoCopyStays) {
    ASSERT_TRUE(vrk::WriteFile(At("survey.delf"), kOld).ok());
    ASSERT_TRUE(vrk::WriteFile(At("survey.delf"), kNew).ok());
    EXPECT_EQ(Read(At("survey.delf")), kNew);
    EXPECT_EQ(Entries(), 1);
}

TEST_F(Win32Folder, ReadOnlyFileIsNeverTouched) {
    ASSERT_TRUE(vrk::WriteFile(At("kept.txt"), kOld).ok());
    const std::wstring kept = dir + L"\\kept.txt";
    ASSERT_TRUE(SetFileAttributesW(kept.c_str(), FILE_ATTRIBUTE_READONLY));
    const vrk::FileResult result = vrk::WriteFile(At("kept.txt"), kNew);
    EXPECT_EQ(result.fault, FileFault::Denied);
    EXPECT_EQ(vrk::CheckWritable(At("kept.txt")).fault, FileFault::Denied);
    EXPECT_EQ(Read(At("kept.txt")), kOld);
    EXPECT_EQ(GetFileAttributesW(kept.c_str()) & FILE_ATTRIBUTE_READONLY,
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

// A finished file (an export's) takes the place of a new or existing one and is gone; a file
// marked read-only stays, and so does the finished file, for its caller to remove.
TEST_F(Win32Folder, FinishedFileMovesIntoPlaceUnlessTheTargetIsReadOnly) {
    ASSERT_TRUE(vrk::WriteFile(At("existing.gpkg"), kOld).ok());
    for (const char* target : {"new.gpkg", "existing.gpkg"}) {
        ASSERT_TRUE(vrk::WriteFile(At("finished"), kNew).ok());
        EXPECT_TRUE(vrk::MoveIntoPlace(At("finished"), At(target)).ok()) << target;
        EXPECT_EQ(Read(At(target)), kNew) << target;
        EXPECT_EQ(GetFileAttributesW((dir + L"\\finished").c_str()), INVALID_FILE_ATTRIBUTES);
    }
    ASSERT_TRUE(vrk::WriteFile(At("kept.gpkg"), kOld).ok());
    const std::wstring kept = dir + L"\\kept.gpkg";
    ASSERT_TRUE(SetFileAttributesW(kept.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(vrk::WriteFile(At("finished"), kNew).ok());
    EXPECT_EQ(vrk::MoveIntoPlace(At("finished"), At("kept.gpkg")).fault, FileFault::Denied);
    EXPECT_EQ(Read(At("kept.gpkg")), kOld);
    EXPECT_EQ(Read(At("finished")), kNew);
}

TEST_F(Win32Folder, SecondHardLinkSeesTheNewBytes) {
    ASSERT_TRUE(vrk::WriteFile(At("survey.delf"), kOld).ok());
    const std::wstring first = dir + L"\\survey.delf";
    const std::wstring second = dir + L"\\other-name.delf";
    if (!CreateHardLinkW(second.c_str(), first.c_str(), nullptr)) {
        GTEST_SKIP() << "no hard links on this file system";
    }
    const vrk::FileResult result = vrk::WriteFile(At("survey.delf"), kNew);
    ASSERT_TRUE(result.ok()) << static_cast<int>(result.fault) << " " << result.error;
    EXPECT_EQ(Read(At("other-name.delf")), kNew);
}

TEST_F(Win32Folder, GbkPathsNameTheFileTheSystemShows) {
    const std::wstring folder = dir + L"\\" + kSurveyWide;
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::string path = At(kSurveyGbk + "\\a.txt");
    ASSERT_TRUE(vrk::WriteFile(path, kNew).ok());
    EXPECT_NE(GetFileAttributesW((folder + L"\\a.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Read(path), kNew);
}

TEST_F(Win32Folder, FailuresAreTyped) {
    EXPECT_EQ(vrk::WriteFile(At("gone\\new.txt"), kNew).fault, FileFault::FolderMissing);
    EXPECT_EQ(vrk::CheckWritable(At("gone\\new.txt")).fault, FileFault::FolderMissing);
    EXPECT_TRUE(vrk::CheckWritable(At("new.txt")).ok());
    EXPECT_EQ(vrk::WriteFile(dirBytes, kNew).fault, FileFault::IsFolder);
    std::string bytes;
    EXPECT_EQ(vrk::ReadFile(At("missing.txt"), bytes).fault, FileFault::FileMissing);
    ASSERT_TRUE(vrk::WriteFile(At("big.txt"), std::string(11, 'x')).ok());
    EXPECT_EQ(vrk::ReadFile(At("big.txt"), bytes, 10).fault, FileFault::TooLarge);
    EXPECT_EQ(Entries(), 1);
}

TEST_F(Win32Folder, RescueCopyGoesToTheTemporaryFolder) {
    const vrk::RescueCopy copy = vrk::WriteRescueCopy("vrk410-download", kNew);
    ASSERT_TRUE(copy.result.ok());
    EXPECT_NE(copy.path.find("vrk410-download-"), std::string::npos);
    EXPECT_EQ(Read(copy.path), kNew);
    std::wstring wide(copy.path.begin(), copy.path.end());
    DeleteFileW(wide.c_str());
}

}  // namespace
