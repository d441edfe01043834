#include "testing/core/FailingRegistry.h"

namespace domora {

// Passes everything to the inner key; a write is refused before it reaches it.
class FailingKey final : public RegistryKey {
public:
    FailingKey(FailingRegistry& registry, std::unique_ptr<RegistryKey> inner)
        : registry_(registry), inner_(std::move(inner)) {}

    std::uint32_t readInteger(const std::string& name) override { return inner_->readInteger(name); }
    std::string readString(const std::string& name) override { return inner_->readString(name); }
    std::array<std::uint8_t, 8> readBinary8(const std::string& name) override {
        return inner_->readBinary8(name);
    }
    bool valueExists(const std::string& name) override { return inner_->valueExists(name); }

    void writeInteger(const std::string& name, std::uint32_t value) override {
        countWrite(name);
        inner_->writeInteger(name, value);
    }
    void writeString(const std::string& name, const std::string& value) override {
        countWrite(name);
        inner_->writeString(name, value);
    }
    void writeBinary8(const std::string& name, const std::array<std::uint8_t, 8>& value) override {
        countWrite(name);
        inner_->writeBinary8(name, value);
    }
    bool deleteValue(const std::string& name) override {
        countWrite(name);
        return inner_->deleteValue(name);
    }

    void close() override {
        closed_ = true;
        inner_->close();
    }

private:
    // A closed key is left to the inner one, which reports it as closed.
    void countWrite(const std::string& name) {
        if (closed_) {
            return;
        }
        if (registry_.writesLeft_ == 0) {
            throw RegistryError("Не удалось записать значение «" + name + "».");
        }
        if (registry_.writesLeft_ > 0) {
            --registry_.writesLeft_;
        }
    }

    FailingRegistry& registry_;
    std::unique_ptr<RegistryKey> inner_;
    bool closed_ = false;
};

std::unique_ptr<RegistryKey> FailingRegistry::openKey(RegHive hive, const std::string& path, bool create) {
    auto key = inner_.openKey(hive, path, create);
    if (key == nullptr) {
        return nullptr;
    }
    return std::make_unique<FailingKey>(*this, std::move(key));
}

} // namespace domora
