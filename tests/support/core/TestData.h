#pragma once

#include <string>

namespace domora {

// The bytes of a file in tests/data ("Budil.DMR", "broken/empty.DMR"). Throws
// std::runtime_error when the file cannot be read, so a missing file fails the test
// instead of passing as an empty one.
std::string ReadTestData(const std::string& name);

// The full path of a file or folder under tests/data, as the test program sees it.
std::string TestDataPath(const std::string& name);

} // namespace domora
