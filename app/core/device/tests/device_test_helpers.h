// Shared fixture of the device backend tests: every test starts from the
// device's first state.
#ifndef APP_CORE_DEVICE_TESTS_HELPERS_H
#define APP_CORE_DEVICE_TESTS_HELPERS_H

#include <gtest/gtest.h>

#include "app/device_backend.h"
#include "app/device_test_seam.h"

struct DeviceTest : ::testing::Test {
  void SetUp() override {
    device_seam::resetAll();
    initDeviceAbility();
  }
  void TearDown() override {
    device_seam::resetAll();
    initDeviceAbility();
  }
  DeviceAbility& ability() { return *device_seam::mutableAbility(); }
};

#endif
