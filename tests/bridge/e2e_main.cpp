#include <gtest/gtest.h>

#include "tools/sim/testbed.h"

// Started by hand, the binary puts itself under umockdev's preload.
int main(int argc, char** argv) {
  qv::sim::ensureMockEnvironment(argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
