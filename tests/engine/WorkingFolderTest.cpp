// Where the program works: the current folder's word.lst first, else the
// user's own folder, seeded from the installed copy on the first start.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/WorkingFolder.h"
#include "tests/support/TestSupport.h"

using namespace zq;
using namespace zq::test;

namespace {

namespace fs = std::filesystem;

class WorkingFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* d : {"start", "home", "installed"})
            fs::create_directories(root.file(d));
        root.write("installed/word.lst", std::string("installed lexicon"));
        root.write("installed/animals.wordset", std::string("animals\nA\n-\ncat\n"));
        root.write("installed/colors.wordset", std::string("colors\nC\n-\nred\n"));
        root.write("installed/notes.txt", std::string("not a word set"));
        places.current = root.file("start");
        places.home = root.file("home");
        places.installedData = root.file("installed");
    }
    std::string own() const { return root.file("home/.local/share/Zendraquil"); }

    TempDir root;
    FolderPlaces places;
};

} // namespace

TEST_F(WorkingFolderTest, FirstStartSeedsTheUsersFolderOnce) {
    const WorkingFolder first = chooseWorkingFolder(places);
    EXPECT_EQ(first.folder, own());
    EXPECT_TRUE(first.found);
    EXPECT_TRUE(first.problem.empty());
    EXPECT_EQ(first.seeded,
              (std::vector<std::string>{"word.lst", "animals.wordset", "colors.wordset"}));
    EXPECT_EQ(root.read("home/.local/share/Zendraquil/word.lst"), root.read("installed/word.lst"));
    EXPECT_FALSE(fs::exists(own() + "/notes.txt"));
    EXPECT_FALSE(fs::exists(own() + "/word.lst.part"));

    // The user's edits and own sets are theirs: later starts copy nothing,
    // not even a sample set the user deleted.
    root.write("home/.local/share/Zendraquil/word.lst", std::string("edited"));
    fs::remove(own() + "/colors.wordset");
    const WorkingFolder again = chooseWorkingFolder(places);
    EXPECT_TRUE(again.seeded.empty());
    const Bytes kept = root.read("home/.local/share/Zendraquil/word.lst");
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "edited");
    EXPECT_FALSE(fs::exists(own() + "/colors.wordset"));
}

TEST_F(WorkingFolderTest, AWordListInTheCurrentFolderWins) {
    root.write("start/word.lst", std::string("mine"));
    const WorkingFolder w = chooseWorkingFolder(places);
    EXPECT_EQ(w.folder, places.current);
    EXPECT_TRUE(w.found);
    EXPECT_TRUE(w.seeded.empty());
    EXPECT_FALSE(fs::exists(own())); // nothing made
}

TEST_F(WorkingFolderTest, TheEnvironmentChoosesTheFolder) {
    places.xdgDataHome = root.file("data");
    EXPECT_EQ(chooseWorkingFolder(places).folder, root.file("data/Zendraquil"));
    // Only an absolute XDG_DATA_HOME counts.
    places.xdgDataHome = "relative/data";
    EXPECT_EQ(chooseWorkingFolder(places).folder, own());
    places.zendraquilHome = root.file("elsewhere/deep");
    const WorkingFolder w = chooseWorkingFolder(places);
    EXPECT_EQ(w.folder, root.file("elsewhere/deep"));
    EXPECT_TRUE(w.found);
}

// No lexicon anywhere: the message names every folder looked in, once.
TEST_F(WorkingFolderTest, NothingFoundNamesThePlacesLookedIn) {
    fs::remove(root.file("installed/word.lst"));
    const WorkingFolder w = chooseWorkingFolder(places);
    EXPECT_FALSE(w.found);
    EXPECT_EQ(w.folder, own());
    EXPECT_TRUE(w.seeded.empty());
    EXPECT_EQ(missingWordListMessage(w),
              "The data file, \"word.lst\", was not found. Zendraquil looked in these folders:\n" +
                  places.current + "\n" + own() + "\n" + places.installedData);
}

// A user folder that cannot be made (a file is in the way) leaves the
// program in the current folder, with the reason.
TEST_F(WorkingFolderTest, AnUnusableUserFolderFallsBackToTheCurrentOne) {
    root.write("blocker", std::string("a file"));
    places.zendraquilHome = root.file("blocker/sub");
    const WorkingFolder w = chooseWorkingFolder(places);
    EXPECT_EQ(w.folder, places.current);
    EXPECT_FALSE(w.found);
    EXPECT_NE(w.problem.find("blocker"), std::string::npos);
    places.zendraquilHome.clear();
    places.home.clear();
    EXPECT_EQ(chooseWorkingFolder(places).folder, places.current);
}
