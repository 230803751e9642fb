// The interface working copies that the basic tab and the network dialog of
// network detection edit alike: loading them from the device's record,
// showing the address fields, the DNS enabling rule, the route row, and
// putting them back into a record.
#pragma once

#include "app/device_records.h"
#include "gui/common.h"

namespace netset {

// An interface's working copy: the block, its DHCP flag and extra record.
struct NicCopy {
  NetInterfaceBlock block;
  uint8_t dhcp;
  NetAddress extra;
};

// Copies 0 and 1 the interfaces, copy 2 the bond; the selections.
struct NicState {
  NicCopy nic[3];
  int workMode, shown, route, main;
  bool pppoe;
};
constexpr int kBondCopy = 2, kWorkModeFailover = 0, kWorkModeAlone = 2;

// The controls of a form holding the copies (a missing one is 0).
struct NicIds {
  int mode, select, dhcp, preDns, altDns, route;
};

void loadNics(NicState& s, const NetConfig& net);
// The copy the fields show: the bond in the bonded modes.
int shownCopy(const NicState& s);
// The copies and selections into the device's record; the service port
// stays the record's (it belongs to the host tab).
void putNics(const NicState& s, bool multi, NetConfig* net);

void showIpv4(WindowHandle page, int id, uint32_t word);
// The IPv4 field's address; an empty field reads as "0.0.0.0"; `code` when
// the text is no IPv4 address.
int readIpv4(WindowHandle page, int id, uint32_t* out, int code);
// Enables the address fields ipv4 .. last.
void enableFields(WindowHandle page, int first, int last, bool on);

// The DNS fields can be edited unless the deciding interface uses DHCP or
// PPPoE is on.
void applyDnsRule(WindowHandle page, const NicIds& ids, const NicState& s);
// The route row by work mode: titled "route" when independent, "nic_main"
// in failover, hidden otherwise.
void showRouteRow(WindowHandle page, const NicIds& ids, const NicState& s);
// A choice in the route combo.
void takeRoute(WindowHandle page, const NicIds& ids, NicState& s);

}  // namespace netset
