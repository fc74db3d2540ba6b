// The content folder written by the build, for every test program (each is compiled with its
// place), so that a test of a low library needs no shared set-up that pulls in higher ones.
#pragma once

#include <string>

namespace testsupport {

inline std::string DataDir() { return MIROVAAN_TEST_DATA_DIR; }

}  // namespace testsupport
