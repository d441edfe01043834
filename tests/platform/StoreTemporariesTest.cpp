#include "platform/StoreTemporaries.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace domora {
namespace {

using test::Listing;
using test::TempFolder;
using test::WriteFile;

// Another process holding the settings file's lock, as a writer does while its temporary
// file exists, until the object is destroyed.
class LockHolder {
public:
    explicit LockHolder(const std::string& lockPath) {
        int ready[2];
        int release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0) {
            return;
        }
        child_ = ::fork();
        if (child_ == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
            const char held = fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? 'y' : 'n';
            (void)!::write(ready[1], &held, 1);
            char ignored;
            (void)!::read(release[0], &ignored, 1); // until the parent closes its end
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        char held = 'n';
        held_ = ::read(ready[0], &held, 1) == 1 && held == 'y';
        ::close(ready[0]);
        release_ = release[1];
    }
    ~LockHolder() {
        ::close(release_);
        if (child_ > 0) {
            ::waitpid(child_, nullptr, 0);
        }
    }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;
    bool held() const { return held_; }

private:
    pid_t child_ = -1;
    int release_ = -1;
    bool held_ = false;
};

// What writes killed half-way leave beside the data files and the settings file goes at
// the start; names that only look like a store's own temporary files stay.
TEST(StoreTemporaries, TheStoresLeftoversGoAndNothingElse) {
    TempFolder app;
    TempFolder config;
    const std::string settings = config.path("registry.reg");
    for (const char* store : {"Budil.DMR", "Celeb.DMR", "Zadan.DMR", "IServers.DMR"}) {
        WriteFile(app.path("Data/") + store, "records");
    }
    WriteFile(settings, "Windows Registry Editor Version 5.00\r\n");
    const struct {
        std::string name;
        bool stays;
    } files[] = {
        {app.path("Data/.Budil.DMR.tmp-Ab12Cd"), false},
        {app.path("Data/.Celeb.DMR.tmp-zzzzzz"), false},
        {app.path("Data/.Zadan.DMR.tmp-000000"), false},
        {app.path("Data/.IServers.DMR.tmp-x9Y8z7"), false},
        {config.path(".registry.reg.tmp-a1B2c3"), false},
        {app.path("Data/.Budil.DMR.damaged.tmp-Ab12Cd"), false}, // copies of damaged files
        {app.path("Data/.Zadan.DMR.damaged-12.tmp-q1W2e3"), false},
        {app.path("Data/.CELEB.DMR.Damaged-2.tmp-000000"), false},
        {app.path("Data/.Budil.DMR.tmp-12345"), true},    // one letter short
        {app.path("Data/.Budil.DMR.tmp-ab_cd1"), true},   // not a letter or digit
        {app.path("Data/Budil.DMR.tmp-Ab12Cd"), true},    // no leading dot
        {app.path("Data/.notes.txt.tmp-Ab12Cd"), true},   // not a store of the program
        {app.path(".Budil.DMR.tmp-Ab12Cd"), true},        // not in the data folder
        {config.path(".registry.reg.tmp-a1B2c3d"), true}, // one letter too many
        {config.path(".other.reg.tmp-a1B2c3"), true},
        {app.path("Data/Budil.DMR.damaged"), true},                 // a copy itself
        {app.path("Data/.Budil.DMR.damaged-.tmp-Ab12Cd"), true},    // no number
        {app.path("Data/.Budil.DMR.damaged-2x.tmp-Ab12Cd"), true},  // not a number
        {app.path("Data/.Budil.DMR.damagedcopy.tmp-Ab12Cd"), true}, // another name
        {app.path("Data/.IServers.DMR.damaged.tmp-Ab12Cd"), true},  // the list makes no copies
    };
    for (const auto& file : files) {
        WriteFile(file.name, "half written");
    }

    EXPECT_EQ(RemoveStaleStoreTemporaries(app.path() + "/", settings), 8);
    for (const auto& file : files) {
        EXPECT_EQ(std::filesystem::exists(file.name), file.stays) << file.name;
    }
    EXPECT_EQ(test::ReadFile(settings), "Windows Registry Editor Version 5.00\r\n");
    EXPECT_EQ(test::ReadFile(app.path("Data/Budil.DMR")), "records");
    EXPECT_EQ(RemoveStaleStoreTemporaries(app.path(), settings), 0); // without the trailing slash
}

// The price editor may be writing the settings file right now: while another program holds
// its lock, its temporary file is left alone, and the next start removes it.
TEST(StoreTemporaries, ASettingsTemporaryIsKeptWhileItsWriterHoldsTheLock) {
    TempFolder app;
    TempFolder config;
    const std::string settings = config.path("registry.reg");
    const std::string writing = config.path(".registry.reg.tmp-Wr1t3r");
    WriteFile(writing, "being written");
    WriteFile(app.path("Data/.Budil.DMR.tmp-Ab12Cd"), "half a record");
    {
        LockHolder writer(settings + ".lock");
        ASSERT_TRUE(writer.held());
        EXPECT_EQ(RemoveStaleStoreTemporaries(app.path(), settings), 1); // the data folder's
        EXPECT_TRUE(std::filesystem::exists(writing));
    }
    EXPECT_EQ(RemoveStaleStoreTemporaries(app.path(), settings), 1);
    EXPECT_EQ(Listing(config.path()), "registry.reg.lock");
    EXPECT_EQ(Listing(app.path("Data")), "");
}

} // namespace
} // namespace domora
