#include "probe/locator.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// Fake folders and a fake disk that remembers every existence test.
struct FakeMachine {
    std::wstring system = L"C:\\WINDOWS\\system32";
    std::wstring programFiles = L"C:\\Program Files";
    std::set<std::wstring> files;
    std::vector<std::wstring> tested;

    std::wstring Locate(const ControlPanelFile& file) {
        return LocateFile(file, {[this] { return system; }, [this] { return programFiles; },
                                 [this](const std::wstring& path) {
                                     tested.push_back(path);
                                     return files.count(path) > 0;
                                 }});
    }
};

TEST(LocateFile, SystemFolderWinsOverProgramFiles) {
    FakeMachine machine;
    machine.files = {L"C:\\WINDOWS\\system32\\atippaxx.dll",
                     L"C:\\Program Files\\ATI Technology\\ATI Control Panel\\atippaxx.dll"};
    EXPECT_EQ(machine.Locate(kAtippaxx), L"C:\\WINDOWS\\system32\\atippaxx.dll");
    EXPECT_EQ(machine.tested.size(), 1u);
}

TEST(LocateFile, TechnologyFolderWinsOverTechnologies) {
    FakeMachine machine;
    machine.files = {L"C:\\Program Files\\ATI Technology\\ATI Control Panel\\atipdsxx.dll",
                     L"C:\\Program Files\\ATI Technologies\\ATI Control Panel\\atipdsxx.dll"};
    EXPECT_EQ(machine.Locate(kAtipdsxx),
              L"C:\\Program Files\\ATI Technology\\ATI Control Panel\\atipdsxx.dll");
}

TEST(LocateFile, FindsTheLastCandidateAfterTryingTheOthersInOrder) {
    FakeMachine machine;
    machine.files = {L"C:\\Program Files\\ATI Technologies\\ATI Control Panel\\atipuixx.dll"};
    EXPECT_EQ(machine.Locate(kAtipuixx),
              L"C:\\Program Files\\ATI Technologies\\ATI Control Panel\\atipuixx.dll");
    const std::vector<std::wstring> expected{
        L"C:\\WINDOWS\\system32\\atipuixx.dll",
        L"C:\\Program Files\\ATI Technology\\ATI Control Panel\\atipuixx.dll",
        L"C:\\Program Files\\ATI Technologies\\ATI Control Panel\\atipuixx.dll"};
    EXPECT_EQ(machine.tested, expected);
}

TEST(LocateFile, NothingFoundIsEmpty) {
    FakeMachine machine;
    machine.files = {L"C:\\WINDOWS\\system32\\atipdsxx.dll"}; // another file's place
    EXPECT_EQ(machine.Locate(kAtippaxx), L"");
    EXPECT_EQ(machine.tested.size(), 3u);
}

TEST(LocateFile, EmptyFoldersGiveRootRelativeCandidates) {
    FakeMachine machine;
    machine.system.clear();
    machine.programFiles.clear();
    machine.files = {L"\\ATI Technologies\\ATI Control Panel\\atippaxx.dll"};
    EXPECT_EQ(machine.Locate(kAtippaxx), L"\\ATI Technologies\\ATI Control Panel\\atippaxx.dll");
    EXPECT_EQ(machine.tested.front(), L"\\atippaxx.dll");
}

TEST(LocateFile, EachFileHasItsOwnTails) {
    for (const ControlPanelFile* file : {&kAtippaxx, &kAtipdsxx, &kAtipuixx}) {
        const std::wstring_view name = file->inSystemFolder.substr(1);
        EXPECT_EQ(file->inTechnologyFolder, L"\\ATI Technology\\ATI Control Panel\\" + std::wstring(name));
        EXPECT_EQ(file->inTechnologiesFolder, L"\\ATI Technologies\\ATI Control Panel\\" + std::wstring(name));
    }
    EXPECT_EQ(kAtippaxx.inSystemFolder, L"\\atippaxx.dll");
    EXPECT_EQ(kAtipdsxx.inSystemFolder, L"\\atipdsxx.dll");
    EXPECT_EQ(kAtipuixx.inSystemFolder, L"\\atipuixx.dll");
}

} // namespace
