#include "core/base/RecordFile.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace domora {
namespace {

constexpr std::string_view kDamagedMark = ".damaged";

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool IsDamagedCopyName(std::string_view name, std::string_view fileName) {
    const std::string copy = std::string(fileName) + std::string(kDamagedMark);
    if (name.size() < copy.size() || !std::equal(copy.begin(), copy.end(), name.begin(), [](char a, char b) {
            return AsciiLower(a) == AsciiLower(b);
        })) {
        return false;
    }
    const std::string_view number = name.substr(copy.size());
    return number.empty() || (number.size() > 1 && number[0] == '-' &&
                              number.find_first_not_of("0123456789", 1) == std::string_view::npos);
}

RecordFile::RecordFile(FileStore& files, std::string path, std::size_t recordSize, std::size_t capacity)
    : files_(files), path_(std::move(path)), recordSize_(recordSize), capacity_(capacity) {
    if (recordSize_ == 0) {
        throw std::invalid_argument("record size 0");
    }
    files_.removeStaleTemporaries(path_);
}

bool RecordFile::fail(RecordFileError* error, RecordFileError::Kind kind, std::string message) const {
    if (error != nullptr) {
        error->kind = kind;
        error->message = std::move(message);
    }
    return false;
}

bool RecordFile::checkSize(const Record& record, RecordFileError* error) const {
    if (record.size() == recordSize_) {
        return true;
    }
    return fail(error, RecordFileError::Kind::WrongSize,
                "Запись не подходит к файлу «" + path_ + "»: её размер " + std::to_string(record.size()) +
                    " байт вместо " + std::to_string(recordSize_) + ".");
}

bool RecordFile::noSuchRecord(RecordFileError* error, std::size_t index) const {
    return fail(error, RecordFileError::Kind::NoSuchRecord,
                "В файле «" + path_ + "» нет записи № " + std::to_string(index + 1) + ".");
}

std::optional<std::vector<RecordFile::Record>> RecordFile::readAll(RecordFileError* error) const {
    const auto bytes = files_.readAll(path_);
    if (!bytes) {
        fail(error, RecordFileError::Kind::CannotOpen, "Не удалось открыть файл «" + path_ + "».");
        return std::nullopt;
    }
    const std::size_t whole = bytes->size() / recordSize_;
    std::vector<Record> records;
    records.reserve(whole);
    for (std::size_t i = 0; i < whole; ++i) {
        const auto* first = reinterpret_cast<const std::uint8_t*>(bytes->data()) + i * recordSize_;
        records.emplace_back(first, first + recordSize_);
    }
    return records;
}

std::optional<std::size_t> RecordFile::count(RecordFileError* error) const {
    const auto records = readAll(error);
    if (!records) {
        return std::nullopt;
    }
    return records->size();
}

bool RecordFile::keepDamagedCopy(RecordFileError* error) {
    const auto old = files_.readAll(path_);
    if (!old || old->size() % recordSize_ == 0) {
        return true;
    }
    std::string copy = path_ + std::string(kDamagedMark);
    for (int n = 2; files_.exists(copy); ++n) {
        copy = path_ + std::string(kDamagedMark) + "-" + std::to_string(n);
    }
    std::string reason;
    if (!files_.writeAtomic(copy, *old, &reason)) {
        return fail(error, RecordFileError::Kind::WriteFailed,
                    "Файл «" + path_ + "» повреждён (его конец не составляет целой записи), а его копию «" +
                        copy + "» сохранить не удалось; изменения не записаны. " + reason);
    }
    notice_ = "Файл «" + path_ + "» был повреждён: его конец не составлял целой записи и в файл больше не " +
              "войдёт. Копия прежнего файла сохранена как «" + copy + "».";
    return true;
}

bool RecordFile::rewrite(const std::vector<Record>& records, RecordFileError* error) {
    if (!keepDamagedCopy(error)) {
        return false;
    }
    std::string bytes;
    bytes.reserve(records.size() * recordSize_);
    for (const Record& record : records) {
        if (!checkSize(record, error)) {
            return false;
        }
        bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
    }
    std::string reason;
    if (!files_.writeAtomic(path_, bytes, &reason)) {
        if (reason.empty()) {
            reason = "Не удалось записать файл «" + path_ + "».";
        }
        return fail(error, RecordFileError::Kind::WriteFailed, std::move(reason));
    }
    return true;
}

bool RecordFile::append(const Record& record, RecordFileError* error) {
    return add(std::nullopt, record, error);
}

bool RecordFile::insert(std::size_t index, const Record& record, RecordFileError* error) {
    return add(index, record, error);
}

bool RecordFile::add(std::optional<std::size_t> index, const Record& record, RecordFileError* error) {
    if (!checkSize(record, error)) {
        return false;
    }
    auto records = readAll(error);
    if (!records) {
        return false;
    }
    if (records->size() >= capacity_) {
        return fail(error, RecordFileError::Kind::Full,
                    "Файл «" + path_ + "» заполнен: в нём можно хранить не более " +
                        std::to_string(capacity_) + " записей.");
    }
    const std::size_t at = index.value_or(records->size());
    if (at > records->size()) {
        return noSuchRecord(error, at);
    }
    records->insert(records->begin() + static_cast<std::ptrdiff_t>(at), record);
    return rewrite(*records, error);
}

bool RecordFile::replace(std::size_t index, const Record& record, RecordFileError* error) {
    if (!checkSize(record, error)) {
        return false;
    }
    auto records = readAll(error);
    if (!records) {
        return false;
    }
    if (index >= records->size()) {
        return noSuchRecord(error, index);
    }
    (*records)[index] = record;
    return rewrite(*records, error);
}

bool RecordFile::remove(std::size_t index, RecordFileError* error) {
    auto records = readAll(error);
    if (!records) {
        return false;
    }
    if (index >= records->size()) {
        return noSuchRecord(error, index);
    }
    records->erase(records->begin() + static_cast<std::ptrdiff_t>(index));
    return rewrite(*records, error);
}

} // namespace domora
