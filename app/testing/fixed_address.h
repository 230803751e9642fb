// The device's network record with the first interface on a fixed address
// (DHCP off), as a user sets it before typing DNS servers.
#pragma once

#include "app/device_backend.h"

namespace livetest {

inline NetConfig FixedAddressConfig() {
  NetConfig net{};
  getNetConfig(nullptr, &net);
  NetAddress a{};
  net.dhcp[0] = 0;
  textToNetAddress("192.168.1.64", &a);
  net.interfaces[0].ipv4 = a.ipv4;
  textToNetAddress("255.255.255.0", &a);
  net.interfaces[0].mask = a.ipv4;
  textToNetAddress("192.168.1.1", &a);
  net.interfaces[0].gateway = a.ipv4;
  return net;
}

}  // namespace livetest
