#include "testing/core/TestData.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace domora {

std::string TestDataPath(const std::string& name) {
    return std::string(DOMORA_TEST_DATA) + "/" + name;
}

std::string ReadTestData(const std::string& name) {
    std::ifstream in(TestDataPath(name), std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read the test file " + TestDataPath(name));
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace domora
