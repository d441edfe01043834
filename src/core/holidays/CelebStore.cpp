#include "core/holidays/CelebStore.h"

#include "core/base/OleDate.h"

#include <utility>

namespace domora {
namespace {

CelebStoreResult FileMissing() {
    return {CelebStoreResult::Status::FileMissing, std::string(kCelebFileMissing)};
}

CelebStoreResult IoError(const std::string& path) {
    return {CelebStoreResult::Status::IoError,
            "Ошибка ввода-вывода: не удалось прочитать файл «" + path + "»."};
}

RecordFile::Record RecordOf(const std::string& event, const std::string& comment, double date) {
    const DayMonth dm = DayMonthOfDate(date);
    return EncodeCeleb(CelebRecord{dm.month, dm.day, event, comment});
}

} // namespace

DayMonth DayMonthOfDate(double oleDate) {
    const DateTime dt = OleToDateTime(oleDate);
    return {dt.day, dt.month};
}

CelebStore::CelebStore(FileStore& files, std::string path)
    : RecordStore(files, std::move(path), kCelebRecordSize, kMaxCelebs) {}

CelebStoreResult CelebStore::missingWithPath() const {
    return {CelebStoreResult::Status::FileMissing, "Ошибка!\r\nФайл " + path() + " не найден"};
}

CelebStoreResult CelebStore::noSuchCeleb(int index) const {
    return {CelebStoreResult::Status::NoSuchRecord, "Праздника №" + std::to_string(index) + " нет."};
}

CelebStoreResult CelebStore::AddCeleb(const std::string& event, const std::string& comment, int after,
                                      double date) {
    return edit(missingWithPath(), [&](Records& records) {
        if (records.size() >= kMaxCelebs) {
            return CelebStoreResult{CelebStoreResult::Status::Full,
                                    "Праздник не добавлен: в файле уже " + std::to_string(kMaxCelebs) +
                                        " праздников, больше в нём не помещается.\r\n"
                                        "Удалите ненужный праздник или измените один из имеющихся."};
        }
        std::size_t position = records.size();
        if (after <= 0) {
            position = 0;
        } else if (static_cast<std::size_t>(after) < records.size()) {
            position = static_cast<std::size_t>(after);
        }
        records.insert(records.begin() + static_cast<std::ptrdiff_t>(position),
                       RecordOf(event, comment, date));
        return CelebStoreResult{};
    });
}

CelebStoreResult CelebStore::ChangeCeleb(int index, const std::string& event, const std::string& comment,
                                         double date) {
    return edit(FileMissing(), [&](Records& records) {
        if (!holds(records, index)) {
            return noSuchCeleb(index);
        }
        records[static_cast<std::size_t>(index - 1)] = RecordOf(event, comment, date);
        return CelebStoreResult{};
    });
}

CelebStoreResult CelebStore::DeleteCeleb(int index) {
    return edit(IoError(path()), [&](Records& records) {
        if (!holds(records, index)) {
            return noSuchCeleb(index);
        }
        records.erase(records.begin() + (index - 1));
        return CelebStoreResult{};
    });
}

CelebStoreResult CelebStore::ClearCelebs() {
    return clear(missingWithPath());
}

CelebCount CelebStore::CountCelebs() const {
    CelebCount count;
    if (const auto records = read(count.result, FileMissing())) {
        count.count = static_cast<int>(records->size());
    }
    return count;
}

CelebList CelebStore::ReadCelebs() const {
    CelebList list;
    if (const auto records = read(list.result, FileMissing())) {
        list.celebs.reserve(records->size());
        for (const auto& record : *records) {
            list.celebs.push_back(DecodeCeleb(record));
        }
    }
    return list;
}

} // namespace domora
