#include "core/holidays/HolidayStore.h"

#include "core/base/OleDate.h"

#include <utility>

namespace domora {
namespace {

HolidayStoreResult FileMissing() {
    return {HolidayStoreResult::Status::FileMissing, std::string(kHolidayFileMissing)};
}

HolidayStoreResult IoError(const std::string& path) {
    return {HolidayStoreResult::Status::IoError,
            "Ошибка ввода-вывода: не удалось прочитать файл «" + path + "»."};
}

RecordFile::Record RecordOf(const std::string& event, const std::string& comment, double date) {
    const DayMonth dm = DayMonthOfDate(date);
    return EncodeHoliday(HolidayRecord{dm.month, dm.day, event, comment});
}

} // namespace

DayMonth DayMonthOfDate(double oleDate) {
    const DateTime dt = OleToDateTime(oleDate);
    return {dt.day, dt.month};
}

HolidayStore::HolidayStore(FileStore& files, std::string path)
    : RecordStore(files, std::move(path), kHolidayRecordSize, kMaxHolidays) {}

HolidayStoreResult HolidayStore::missingWithPath() const {
    return {HolidayStoreResult::Status::FileMissing, "Ошибка!\r\nФайл " + path() + " не найден"};
}

HolidayStoreResult HolidayStore::noSuchHoliday(int index) const {
    return {HolidayStoreResult::Status::NoSuchRecord, "Праздника №" + std::to_string(index) + " нет."};
}

HolidayStoreResult HolidayStore::AddCeleb(const std::string& event, const std::string& comment, int after,
                                          double date) {
    return edit(missingWithPath(), [&](Records& records) {
        if (records.size() >= kMaxHolidays) {
            return HolidayStoreResult{HolidayStoreResult::Status::Full,
                                      "Праздник не добавлен: в файле уже " + std::to_string(kMaxHolidays) +
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
        return HolidayStoreResult{};
    });
}

HolidayStoreResult HolidayStore::ChangeCeleb(int index, const std::string& event, const std::string& comment,
                                             double date) {
    return edit(FileMissing(), [&](Records& records) {
        if (!holds(records, index)) {
            return noSuchHoliday(index);
        }
        records[static_cast<std::size_t>(index - 1)] = RecordOf(event, comment, date);
        return HolidayStoreResult{};
    });
}

HolidayStoreResult HolidayStore::DeleteCeleb(int index) {
    return edit(IoError(path()), [&](Records& records) {
        if (!holds(records, index)) {
            return noSuchHoliday(index);
        }
        records.erase(records.begin() + (index - 1));
        return HolidayStoreResult{};
    });
}

HolidayStoreResult HolidayStore::ClearCelebs() {
    return clear(missingWithPath());
}

HolidayCount HolidayStore::CountCelebs() const {
    HolidayCount count;
    if (const auto records = read(count.result, FileMissing())) {
        count.count = static_cast<int>(records->size());
    }
    return count;
}

HolidayList HolidayStore::ReadCelebs() const {
    HolidayList list;
    if (const auto records = read(list.result, FileMissing())) {
        list.holidays.reserve(records->size());
        for (const auto& record : *records) {
            list.holidays.push_back(DecodeHoliday(record));
        }
    }
    return list;
}

} // namespace domora
