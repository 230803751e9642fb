// Data sources over standard I/O streams and memory blocks, and the
// little-endian readers the decoders use.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "gdi/readable_file.h"
#include "gui/image.h"

namespace {

int StdioSeek(GUI_RWops* ops, int offset, int whence) {
  if (std::fseek(ops->hidden.stdio.fp, offset, whence) != 0) return -1;
  return static_cast<int>(std::ftell(ops->hidden.stdio.fp));
}

int StdioRead(GUI_RWops* ops, void* buffer, int size, int count) {
  if (size <= 0 || count <= 0) return 0;
  return static_cast<int>(std::fread(buffer, static_cast<size_t>(size), static_cast<size_t>(count),
                                     ops->hidden.stdio.fp));
}

int StdioWrite(GUI_RWops* ops, const void* buffer, int size, int count) {
  if (size <= 0 || count <= 0) return 0;
  return static_cast<int>(std::fwrite(buffer, static_cast<size_t>(size),
                                      static_cast<size_t>(count), ops->hidden.stdio.fp));
}

int StdioClose(GUI_RWops* ops) {
  if (ops->hidden.stdio.autoclose) std::fclose(ops->hidden.stdio.fp);
  GUI_FreeRW(ops);
  return 0;
}

int StdioEof(GUI_RWops* ops) { return std::feof(ops->hidden.stdio.fp); }

// Positions are kept as offsets from the base so that a block ending at the
// top of the address space never overflows a pointer.
uintptr_t Span(const uint8_t* from, const uint8_t* to) {
  return reinterpret_cast<uintptr_t>(to) - reinterpret_cast<uintptr_t>(from);
}

int MemSeek(GUI_RWops* ops, int offset, int whence) {
  auto& m = ops->hidden.mem;
  intptr_t origin;
  switch (whence) {
    case GUI_RW_SEEK_SET: origin = 0; break;
    case GUI_RW_SEEK_CUR: origin = static_cast<intptr_t>(Span(m.base, m.here)); break;
    case GUI_RW_SEEK_END: origin = static_cast<intptr_t>(Span(m.base, m.stop)); break;
    default: return -1;
  }
  intptr_t target = origin + offset;
  const intptr_t end = static_cast<intptr_t>(Span(m.base, m.stop));
  if (target < 0) target = 0;
  if (target > end) target = end;
  m.here = m.base + target;
  return static_cast<int>(target);
}

int MemTransfer(GUI_RWops* ops, int size, int count) {
  if (size <= 0 || count <= 0) return 0;
  auto& m = ops->hidden.mem;
  const uintptr_t left = m.here < m.stop ? Span(m.here, m.stop) : 0;
  const uintptr_t whole = left / static_cast<uintptr_t>(size);
  return static_cast<int>(whole < static_cast<uintptr_t>(count) ? whole : count);
}

int MemRead(GUI_RWops* ops, void* buffer, int size, int count) {
  const int items = MemTransfer(ops, size, count);
  const size_t bytes = static_cast<size_t>(items) * static_cast<size_t>(size);
  if (bytes) std::memcpy(buffer, ops->hidden.mem.here, bytes);
  ops->hidden.mem.here += bytes;
  return items;
}

int MemWrite(GUI_RWops* ops, const void* buffer, int size, int count) {
  const int items = MemTransfer(ops, size, count);
  const size_t bytes = static_cast<size_t>(items) * static_cast<size_t>(size);
  if (bytes) std::memcpy(ops->hidden.mem.here, buffer, bytes);
  ops->hidden.mem.here += bytes;
  return items;
}

int MemCloseFree(GUI_RWops* ops) {
  GUI_FreeRW(ops);
  return 0;
}

int MemCloseKeep(GUI_RWops*) { return 0; }

// A file read whole: its bytes go with the stream.
int MemCloseFile(GUI_RWops* ops) {
  delete[] reinterpret_cast<char*>(ops->hidden.mem.base);
  GUI_FreeRW(ops);
  return 0;
}

int MemEof(GUI_RWops* ops) { return ops->hidden.mem.here >= ops->hidden.mem.stop; }

void FillMem(GUI_RWops* ops, void* base, int size) {
  ops->seek = MemSeek;
  ops->read = MemRead;
  ops->write = MemWrite;
  ops->eof = MemEof;
  ops->type = GUI_RW_TYPE_MEMORY;
  auto* start = static_cast<uint8_t*>(base);
  const uintptr_t room = UINTPTR_MAX - reinterpret_cast<uintptr_t>(start);
  const uintptr_t length = size > 0 ? static_cast<uintptr_t>(size) : 0;
  ops->hidden.mem.base = start;
  ops->hidden.mem.here = start;
  ops->hidden.mem.stop = length > room ? reinterpret_cast<uint8_t*>(UINTPTR_MAX) : start + length;
}

template <typename T>
T ReadLE(GUI_RWops* ops) {
  uint8_t bytes[sizeof(T)];
  if (GUI_RWread(ops, bytes, 1, static_cast<int>(sizeof bytes)) != static_cast<int>(sizeof bytes))
    return 0;
  T value = 0;
  for (size_t i = 0; i < sizeof bytes; ++i) value |= static_cast<T>(T{bytes[i]} << (8 * i));
  return value;
}

template <typename T>
T FileReadLE(FILE* fp) {
  uint8_t bytes[sizeof(T)];
  if (std::fread(bytes, 1, sizeof bytes, fp) != sizeof bytes) return 0;
  T value = 0;
  for (size_t i = 0; i < sizeof bytes; ++i) value |= static_cast<T>(T{bytes[i]} << (8 * i));
  return value;
}

}  // namespace

extern "C" {

GUI_RWops* GUI_AllocRW(void) {
  auto* ops = static_cast<GUI_RWops*>(std::calloc(1, sizeof(GUI_RWops)));
  return ops;
}

void GUI_FreeRW(GUI_RWops* ops) { std::free(ops); }

GUI_RWops* GUI_RWFromFile(const char* fileName, const char* mode) {
  if (!fileName || !mode) return nullptr;
  // A file only read goes through the one reader: never a FIFO or a device.
  // It is read whole at once, so that the decoders' many small reads and
  // seeks cost no call to the system.
  if (mode[0] == 'r' && std::strchr(mode, '+') == nullptr) {
    files::FileText text;
    if (!files::ReadableFile(fileName, files::kMaxBinaryFile).ReadWhole(text)) return nullptr;
    GUI_RWops* ops = GUI_RWFromMem(text.bytes.get(), static_cast<int>(text.size));
    if (!ops) return nullptr;
    text.bytes.release();
    ops->close = MemCloseFile;
    return ops;
  }
  FILE* fp = std::fopen(fileName, mode);
  if (!fp) return nullptr;
  GUI_RWops* ops = GUI_RWFromFP(fp, 1);
  if (!ops) std::fclose(fp);
  return ops;
}

GUI_RWops* GUI_RWFromFP(FILE* fp, int autoclose) {
  GUI_RWops* ops = GUI_AllocRW();
  if (!ops) return nullptr;
  ops->seek = StdioSeek;
  ops->read = StdioRead;
  ops->write = StdioWrite;
  ops->close = StdioClose;
  ops->eof = StdioEof;
  ops->type = GUI_RW_TYPE_STDIO;
  ops->hidden.stdio.autoclose = autoclose;
  ops->hidden.stdio.fp = fp;
  return ops;
}

GUI_RWops* GUI_RWFromMem(void* base, int size) {
  GUI_RWops* ops = GUI_AllocRW();
  if (!ops) return nullptr;
  FillMem(ops, base, size);
  ops->close = MemCloseFree;
  return ops;
}

void GUI_InitMemRW(GUI_RWops* ops, void* base, int size) {
  FillMem(ops, base, size);
  ops->close = MemCloseKeep;
}

int GUI_RWgetc(GUI_RWops* ops) {
  uint8_t c = 0;
  return GUI_RWread(ops, &c, 1, 1) == 1 ? c : -1;
}

// A short read answers 0 rather than half a value.
uint16_t GUI_RWReadLE16(GUI_RWops* ops) { return ReadLE<uint16_t>(ops); }
uint32_t GUI_RWReadLE32(GUI_RWops* ops) { return ReadLE<uint32_t>(ops); }
uint16_t FileReadLE16(FILE* fp) { return FileReadLE<uint16_t>(fp); }
uint32_t FileReadLE32(FILE* fp) { return FileReadLE<uint32_t>(fp); }

}  // extern "C"
