/* Public answers of a made-up device. */
enum {
  DEVICE_ERR_NAME_EMPTY = 0x200208,
  DEVICE_OK_QUIET = 0x200001
};
