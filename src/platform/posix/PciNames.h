#pragma once

#include <string>

struct pci_access;

namespace domora {

// The names of PCI vendors and devices from the PCI names database (pci.ids) through libpci.
// An id the database lacks is given in hex: the vendor as "1234", the device as
// "1234:5678". The database is read at the first question; one object per thread.
class PciNames {
public:
    PciNames();
    ~PciNames();
    PciNames(const PciNames&) = delete;
    PciNames& operator=(const PciNames&) = delete;

    std::string vendor(unsigned vendorId);
    std::string device(unsigned vendorId, unsigned deviceId);

private:
    pci_access* access_ = nullptr;
};

} // namespace domora
