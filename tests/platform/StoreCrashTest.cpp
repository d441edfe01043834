// Every store of the program killed at random moments while it rewrites its file, 1000
// times: after each kill the file holds its old or its new contents, byte for byte, and its
// store reads it; at the end the start-up clean-up leaves nothing but the real file.
// DOMORA_CRASH_SEED repeats the kill moments of a run (each run prints its seed).

#include "core/alarms/AlarmStore.h"
#include "core/app/RegistryHive.h"
#include "core/app/Settings.h"
#include "core/holidays/HolidayStore.h"
#include "core/tasks/TaskStore.h"
#include "platform/StoreTemporaries.h"
#include "platform/posix/FileRegistry.h"
#include "platform/posix/PosixFileStore.h"
#include "testing/core/FakeClock.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <memory>
#include <random>
#include <string_view>

#include <sys/inotify.h>

namespace domora {
namespace {

constexpr int kKills = 1000;

// The real files, except that opening a record store leaves the temporary files of killed
// writes in place, so that they pile up for the start-up clean-up at the end.
class KeptLeftovers final : public FileStore {
public:
    std::optional<std::string> readAll(const std::string& path) override { return files_.readAll(path); }
    bool writeAtomic(const std::string& path, std::string_view bytes, std::string* error) override {
        return files_.writeAtomic(path, bytes, error);
    }
    bool exists(const std::string& path) override { return files_.exists(path); }
    bool makeFolder(const std::string& path, std::string* error) override {
        return files_.makeFolder(path, error);
    }
    int removeStaleTemporaries(const std::string&) override { return 0; }

private:
    PosixFileStore files_;
};

KeptLeftovers& Files() {
    static KeptLeftovers files;
    return files;
}

// Rewrites the file with its old (false) or its new (true) contents; false when it fails.
using Rewrite = std::function<bool(bool)>;

struct StoreCase {
    const char* name;
    const char* file;    // under the program folder
    const char* listing; // the file's folder after the clean-up
    std::function<void(const std::string& path)> writeOld;
    std::function<Rewrite(const std::string& path)> writer;
    // How many entries the store's own reader finds; nothing when it cannot read the file.
    std::function<std::optional<std::size_t>(const std::string& path)> entries;
};

template <typename Encode> void WriteRecords(const std::string& path, int count, Encode encode) {
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        const auto record = encode(i);
        bytes.append(record.begin(), record.end());
    }
    test::WriteFile(path, bytes);
}

AlarmRecord Alarm(int n) {
    AlarmRecord r = DefaultAlarm(DateTime{2027, 3, 9});
    r.Hour = n % 24;
    r.TextFile = "/home/user/.local/share/domora/Temp/File" + std::to_string(n) + ".txt";
    return r;
}

TaskRecord Task(int n) {
    TaskRecord r;
    r.Hour = n % 24;
    r.Minute = n % 60;
    r.Period = "Ежедневно";
    r.FileName = "program" + std::to_string(n) + ".exe";
    r.Params = std::string(100, char('a' + n % 26));
    r.Active = true;
    return r;
}

std::string Note(int n, bool newer) {
    return (newer ? "новая заметка " : "старая заметка ") + std::string(100, char('a' + n % 26));
}

const FakeClock kClock;

// Old: 99 alarms, new: the hundredth added at the end.
const StoreCase kAlarms{
    "Alarms",
    "Data/Budil.DMR",
    "Budil.DMR",
    [](const std::string& path) { WriteRecords(path, 99, [](int i) { return EncodeAlarm(Alarm(i)); }); },
    [](const std::string& path) -> Rewrite {
        auto store = std::make_shared<AlarmStore>(Files(), path, kClock);
        return [store](bool newer) {
            return (newer ? store->AddAlarm(Alarm(99)) : store->DeleteAlarm(100)).ok();
        };
    },
    [](const std::string& path) -> std::optional<std::size_t> {
        const auto list = AlarmStore(Files(), path, kClock).ReadAlarms();
        return list.result ? std::optional(list.alarms.size()) : std::nullopt;
    }};

// Old: 99 holidays, new: one more put first, so that every record moves.
const StoreCase kHolidays{
    "Holidays",
    "Data/Celeb.DMR",
    "Celeb.DMR",
    [](const std::string& path) {
        WriteRecords(path, 99, [](int i) {
            return EncodeHoliday({i % 12 + 1, i % 28 + 1, "Праздник " + std::to_string(i), Note(i, false)});
        });
    },
    [](const std::string& path) -> Rewrite {
        auto store = std::make_shared<HolidayStore>(Files(), path);
        return [store](bool newer) {
            return (newer ? store->AddCeleb("Новый праздник", Note(99, true), 0, 46455.0)
                          : store->DeleteCeleb(1))
                .ok();
        };
    },
    [](const std::string& path) -> std::optional<std::size_t> {
        const auto list = HolidayStore(Files(), path).ReadCelebs();
        return list.result ? std::optional(list.holidays.size()) : std::nullopt;
    }};

// Old: 49 tasks, new: the fiftieth added at the end.
const StoreCase kTasks{
    "Tasks",
    "Data/Zadan.DMR",
    "Zadan.DMR",
    [](const std::string& path) { WriteRecords(path, 49, [](int i) { return EncodeTask(Task(i)); }); },
    [](const std::string& path) -> Rewrite {
        auto store = std::make_shared<TaskStore>(Files(), path);
        return
            [store](bool newer) { return (newer ? store->AddTask(Task(49)) : store->DeleteTask(50)).ok(); };
    },
    [](const std::string& path) -> std::optional<std::size_t> {
        const auto list = TaskStore(Files(), path).ReadTasks();
        return list.result ? std::optional(list.tasks.size()) : std::nullopt;
    }};

// Old: 20 notes in the main key, new: each of them changed and 10 more, in one save.
const StoreCase kSettings{"Settings",
                          "config/registry.reg",
                          "registry.reg registry.reg.lock",
                          [](const std::string& path) { (void)kSettings.writer(path)(false); },
                          [](const std::string& path) -> Rewrite {
                              auto registry = std::make_shared<FileRegistry>(path);
                              return [registry](bool newer) {
                                  try {
                                      auto key = OpenKeyOrThrow(*registry, kMainKey, true);
                                      for (int i = 0; i < 30; ++i) {
                                          if (i < 20 || newer) {
                                              key->writeString("Note" + std::to_string(i), Note(i, newer));
                                          } else {
                                              key->deleteValue("Note" + std::to_string(i));
                                          }
                                      }
                                      key->close();
                                      return true;
                                  } catch (const RegistryError&) {
                                      return false;
                                  }
                              };
                          },
                          [](const std::string& path) -> std::optional<std::size_t> {
                              const auto hive = RegistryHive::parse(test::ReadFile(path).value_or(""));
                              const std::string key = RegistryHive::fullPath(RegHive::CurrentUser, kMainKey);
                              for (const RegKeyData& data : hive ? hive->keys() : std::vector<RegKeyData>{}) {
                                  if (data.fullPath == key) {
                                      return data.values.size();
                                  }
                              }
                              return std::nullopt;
                          }};

// The temporary files of writes of `file` in its folder.
std::set<std::string> Temporaries(const std::string& folder, const std::string& file) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("." + file + ".tmp-", 0) == 0) {
            names.insert(name);
        }
    }
    return names;
}

// The file's bytes into `bytes`, whose storage is kept from one kill to the next: under
// AddressSanitizer freed memory is held back, and a parent that grows makes each fork slower.
bool ReadInto(const std::string& path, std::string& bytes) {
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    char chunk[8192];
    for (ssize_t got; (got = ::read(fd, chunk, sizeof chunk)) > 0;) {
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return true;
}

// Waits (up to a second) until a file whose name starts with `prefix` is made in the folder
// that `watch` watches.
void WaitForCreation(int watch, const std::string& prefix) {
    alignas(inotify_event) char events[4096];
    pollfd ready{watch, POLLIN, 0};
    while (::poll(&ready, 1, 1000) == 1) {
        const ssize_t got = ::read(watch, events, sizeof events);
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            if (event->len > 0 && std::string_view(event->name).starts_with(prefix)) {
                return;
            }
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}

unsigned Seed() {
    const char* fixed = std::getenv("DOMORA_CRASH_SEED");
    return fixed != nullptr ? static_cast<unsigned>(std::stoul(fixed)) : std::random_device{}();
}

void PrintTo(const StoreCase& store, std::ostream* out) {
    *out << store.name;
}

// A kill leaves the file system's cache to the system, so what it tests is the order of a
// write's steps, not the disk: in memory a write takes a fraction of a millisecond instead
// of the milliseconds of syncing to a disk, and a thousand kills take seconds.
std::filesystem::path InMemory() {
    std::error_code error;
    return std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm")
                                                            : std::filesystem::temp_directory_path();
}

class StoreCrash : public testing::TestWithParam<StoreCase> {};

TEST_P(StoreCrash, AKilledRewriteLeavesTheOldOrTheNewFile) {
    const StoreCase& store = GetParam();
    test::TempFolder app(InMemory());
    const std::string path = app.path(store.file);
    const std::filesystem::path where(path);
    const std::string folder = where.parent_path().string();
    const std::string file = where.filename().string();
    std::filesystem::create_directories(folder);

    // The two contents as the store writes them, and how long a write takes.
    store.writeOld(path);
    const std::string oldBytes = test::ReadFile(path).value();
    std::chrono::steady_clock::duration perWrite{};
    std::string newBytes;
    {
        const Rewrite rewrite = store.writer(path);
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 10; ++i) {
            ASSERT_TRUE(rewrite(true));
            newBytes = test::ReadFile(path).value();
            ASSERT_TRUE(rewrite(false));
        }
        perWrite = (std::chrono::steady_clock::now() - start) / 20;
    }
    ASSERT_EQ(test::ReadFile(path), oldBytes);
    ASSERT_NE(oldBytes, newBytes);
    const auto oldEntries = store.entries(path);
    test::WriteFile(path, newBytes);
    const auto newEntries = store.entries(path);
    test::WriteFile(path, oldBytes);
    ASSERT_TRUE(oldEntries && newEntries && oldEntries != newEntries);

    // Every other kill comes within two writes' time of the child's start, in its first or
    // its second write or between them; the others come soon after a write has made its
    // temporary file, while the write is under way. A kill mid-write leaves that file behind.
    const unsigned seed = Seed();
    std::mt19937 random(seed);
    const auto range =
        std::max<long>(std::chrono::duration_cast<std::chrono::microseconds>(2 * perWrite).count(), 200);
    std::uniform_int_distribution<long> delayUs(0, range);
    std::uniform_int_distribution<long> inWriteUs(0, range / 20);
    const int watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    ASSERT_GE(::inotify_add_watch(watch, folder.c_str(), IN_CREATE), 0);
    int midWrite = 0, olds = 0, news = 0, shortFiles = 0, mixed = 0, unreadable = 0;
    std::string firstFault, bytes;
    std::set<std::string> seen;
    bool holdsNew = false;
    for (int kill = 0; kill < kKills; ++kill) {
        for (char drain[4096]; ::read(watch, drain, sizeof drain) > 0;) {
        }
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) { // the other contents, then each in turn, for ever
            const Rewrite rewrite = store.writer(path);
            (void)!::write(ready[1], "r", 1);
            for (bool newer = !holdsNew;; newer = !newer) {
                if (!rewrite(newer)) {
                    std::_Exit(3);
                }
            }
        }
        // The delay counts from the child's first write, whatever the fork took.
        char started = 0;
        ::close(ready[1]);
        ASSERT_EQ(::read(ready[0], &started, 1), 1);
        ::close(ready[0]);
        if (kill % 2 == 1) {
            WaitForCreation(watch, "." + file + ".tmp-");
        }
        std::this_thread::sleep_for(
            std::chrono::microseconds(kill % 2 == 1 ? inWriteUs(random) : delayUs(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the writer stopped: " << status;

        // The two contents were read by the store above; anything else is read again.
        const bool exists = ReadInto(path, bytes);
        holdsNew = exists && bytes == newBytes;
        const bool holdsOld = exists && bytes == oldBytes;
        const auto entries = holdsOld ? oldEntries : holdsNew ? newEntries : store.entries(path);
        std::string fault;
        if (holdsOld) {
            ++olds;
        } else if (holdsNew) {
            ++news;
        } else {
            const bool cut = !exists || (bytes.size() != oldBytes.size() && bytes.size() != newBytes.size());
            ++(cut ? shortFiles : mixed);
            fault = cut ? "short" : "mixed";
        }
        if (!entries || (entries != oldEntries && entries != newEntries)) {
            ++unreadable;
            fault += " unreadable";
        }
        if (!fault.empty()) {
            if (firstFault.empty()) {
                firstFault = "kill " + std::to_string(kill) + ": " + fault + ", " +
                             std::to_string(bytes.size()) + " bytes";
            }
            test::WriteFile(path, oldBytes); // the next writer starts from a sound file
        }
        for (const std::string& name : Temporaries(folder, file)) {
            midWrite += seen.insert(name).second ? 1 : 0;
        }
    }

    ::close(watch);
    const auto before = Temporaries(folder, file).size();
    const int removed = RemoveStaleStoreTemporaries(app.path(), app.path("config/registry.reg"));
    const auto after = Temporaries(folder, file).size();
    std::cout << store.name << ": " << kKills << " kills, " << midWrite << " mid-write; old " << olds
              << ", new " << news << "; short " << shortFiles << ", mixed " << mixed << ", unreadable "
              << unreadable << "; temporaries " << before << " before the clean-up, " << after
              << " after; delays 0 to " << range << " us from the start or to " << range / 20
              << " us into a write; seed " << seed << "\n";
    for (const auto& [key, value] : {std::pair{"kills", kKills},
                                     {"midWrite", midWrite},
                                     {"old", olds},
                                     {"new", news},
                                     {"temporariesBefore", int(before)},
                                     {"temporariesAfter", int(after)}}) {
        RecordProperty(key, value);
    }
    RecordProperty("seed", std::to_string(seed));
    EXPECT_EQ(shortFiles + mixed + unreadable, 0) << firstFault << "; seed " << seed;
    EXPECT_GT(midWrite, 0) << "no kill landed in a write";
    EXPECT_GT(kKills - midWrite, 0) << "no kill landed between writes";
    EXPECT_EQ(removed, int(before));
    EXPECT_EQ(test::Listing(folder), store.listing);
}

INSTANTIATE_TEST_SUITE_P(EveryStore, StoreCrash, testing::Values(kAlarms, kHolidays, kTasks, kSettings),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace domora
