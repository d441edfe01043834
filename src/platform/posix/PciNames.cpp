#include "platform/posix/PciNames.h"

#include <cstdio>
#include <cstdlib>

extern "C" {
#include <pci/pci.h>
}

namespace domora {
namespace {

// libpci's messages: a missing or damaged database is a warning, and then the ids are shown
// in hex; only an allocation failure is an error, after which libpci cannot go on.
void IgnoreMessage(char*, ...) {}
[[noreturn]] void Abort(char*, ...) {
    std::abort();
}

constexpr int kLocalNamesOnly = PCI_LOOKUP_NO_NUMBERS | PCI_LOOKUP_NO_HWDB;

std::string Hex(unsigned id) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", id & 0xFFFF);
    return text;
}

} // namespace

// Only names are looked up, so pci_init() is not called: it would choose a way to reach the
// hardware, which the lookup does not need, and where none works (a container without the
// PCI bus in /sys) it ends the whole program through its error handler. Its handlers are
// set here instead, since libpci calls them without checking.
PciNames::PciNames() : access_(pci_alloc()) {
    if (access_ != nullptr) {
        access_->error = Abort;
        access_->warning = IgnoreMessage;
        access_->debug = IgnoreMessage;
    }
}

PciNames::~PciNames() {
    if (access_ != nullptr) {
        pci_cleanup(access_);
    }
}

std::string PciNames::vendor(unsigned vendorId) {
    char name[256];
    const char* found = access_ == nullptr ? nullptr
                                           : pci_lookup_name(access_, name, sizeof name,
                                                             PCI_LOOKUP_VENDOR | kLocalNamesOnly, vendorId);
    return found != nullptr ? std::string(found) : Hex(vendorId);
}

std::string PciNames::device(unsigned vendorId, unsigned deviceId) {
    char name[256];
    const char* found = access_ == nullptr
                            ? nullptr
                            : pci_lookup_name(access_, name, sizeof name, PCI_LOOKUP_DEVICE | kLocalNamesOnly,
                                              vendorId, deviceId);
    return found != nullptr ? std::string(found) : Hex(vendorId) + ":" + Hex(deviceId);
}

} // namespace domora
