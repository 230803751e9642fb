// The refusals of an interface's IPv4 address, mask, gateway and DNS
// servers: the network page and the network adapter's dialog answer them
// alike, each on its own fields.
#include "app/alarmnet/network/netset.h"
#include "app/device_backend_net.h"
#include "app/msgbox.h"

namespace netset {

bool reportAddressCode(WindowHandle page, const AddressFields& f, int code) {
  const CodeRow rows[] = {
      {DEVICE_OK_QUIET, Reaction::Nothing, nullptr, 0, 0, 0},
      {NET_ERR_DEVICE_IP_CONFLICT, Reaction::Box, "deviceip_conflict", MSGBOX_INFO, 0, f.ipv4},
      {NET_ERR_IPV4, Reaction::Hint, "ipv4", 0, 0, f.ipv4},
      {NET_ERR_IPV4_LOOPBACK, Reaction::Box, "ip_err_127", MSGBOX_WARNING, 0, f.ipv4},
      {NET_ERR_HOST_ZERO, Reaction::Box, "host_err_0", MSGBOX_WARNING, 0, f.ipv4},
      {NET_ERR_HOST_BROADCAST, Reaction::Box, "host_err_255", MSGBOX_WARNING, 0, f.ipv4},
      {NET_ERR_MASK, Reaction::Hint, "maskv4", 0, 0, f.mask},
      {NET_ERR_MASK_VALUE, Reaction::Box, "err_value_mask", MSGBOX_INFO, 0, f.mask},
      {NET_ERR_GATEWAY, Reaction::Hint, "gatewayv4", 0, 0, f.gateway},
      {NET_ERR_GATEWAY_LOOPBACK, Reaction::Box, "ip_err_127", MSGBOX_WARNING, 0, f.gateway},
      {NET_ERR_PREFERRED_DNS, Reaction::Hint, "predns", 0, 0, f.preDns},
      {NET_ERR_ALTERNATE_DNS, Reaction::Hint, "altdns", 0, 0, f.altDns},
      {NET_ERR_ADDRESS_CLASH, Reaction::Box, "ethx_ip_conflict", MSGBOX_INFO, 0, f.ipv4},
      {NET_ERR_POE_ADDRESS_CLASH, Reaction::Box, "eth0_poe_ip_conflict", MSGBOX_INFO, 0, f.ipv4},
  };
  constexpr int kCount = static_cast<int>(sizeof rows / sizeof rows[0]);
  if (!findRow(rows, kCount, code)) return false;
  reportCode(page, rows, kCount, code);
  return true;
}

}  // namespace netset
