// wsprintfA: the integer, character and string conversions of the Windows
// formatter, with its 1024-byte limit and no floating point.
#include <cstdint>
#include <cstring>

#include "platform/win32/kernel.h"

namespace {
constexpr int kOutputLimit = 1024;  // bytes, the terminator included

// Appends to the caller's buffer and silently drops what does not fit.
class Output {
 public:
  explicit Output(char* buffer) : buffer_(buffer) {}
  void put(char c) {
    if (length_ < kOutputLimit - 1) buffer_[length_++] = c;
  }
  void repeat(char c, int count) {
    for (int i = 0; i < count; ++i) put(c);
  }
  void write(const char* text, int count) {
    for (int i = 0; i < count; ++i) put(text[i]);
  }
  int finish() {
    buffer_[length_] = '\0';
    return length_;
  }

 private:
  char* buffer_;
  int length_ = 0;
};

enum class Size { Default, Short, Long, Wide64 };

struct Spec {
  bool leftAlign = false;
  bool hexPrefix = false;
  bool zeroPad = false;
  int width = 0;
  int precision = -1;  // -1: none given
  Size size = Size::Default;
  char type = 0;
};

// Reads "[-][#][0][width][.precision][h|l|I64]type" after the '%'.
const char* parseSpec(const char* p, Spec& spec) {
  for (;; ++p) {
    if (*p == '-')
      spec.leftAlign = true;
    else if (*p == '#')
      spec.hexPrefix = true;
    else if (*p == '0')
      spec.zeroPad = true;
    else
      break;
  }
  // Widths past the output limit cannot matter; clamping keeps ints sane.
  for (; *p >= '0' && *p <= '9'; ++p)
    spec.width = spec.width < kOutputLimit ? spec.width * 10 + (*p - '0') : kOutputLimit;
  if (*p == '.') {
    spec.precision = 0;
    for (++p; *p >= '0' && *p <= '9'; ++p)
      spec.precision =
          spec.precision < kOutputLimit ? spec.precision * 10 + (*p - '0') : kOutputLimit;
  }
  if (*p == 'h') {
    spec.size = Size::Short;
    ++p;
  } else if (*p == 'l') {
    spec.size = Size::Long;
    ++p;
  } else if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
    spec.size = Size::Wide64;
    p += 3;
  }
  spec.type = *p;
  return *p ? p + 1 : p;
}

void pad(Output& out, const Spec& spec, int contentLength, bool before) {
  if (spec.leftAlign != before && spec.width > contentLength)
    out.repeat(' ', spec.width - contentLength);
}

// One integer: sign or prefix, then at least `precision` digits, then the
// blanks (or, with '0' and no precision, zeros) that make up the width.
void writeInteger(Output& out, const Spec& spec, uint64_t magnitude, bool negative) {
  const bool hex = spec.type == 'x' || spec.type == 'X' || spec.type == 'p';
  const char* digitSet = spec.type == 'x' ? "0123456789abcdef" : "0123456789ABCDEF";
  char digits[24];
  int count = 0;
  do {
    digits[count++] = digitSet[hex ? magnitude % 16 : magnitude % 10];
    magnitude = hex ? magnitude / 16 : magnitude / 10;
  } while (magnitude);

  const int prefixLength = negative ? 1 : (hex && spec.hexPrefix && spec.type != 'p') ? 2 : 0;
  int zeros = spec.precision > count ? spec.precision - count : 0;
  if (spec.zeroPad && !spec.leftAlign && spec.precision < 0 && spec.width > prefixLength + count)
    zeros = spec.width - prefixLength - count;
  const int total = prefixLength + zeros + count;

  pad(out, spec, total, true);
  if (negative) out.put('-');
  if (prefixLength == 2) {
    out.put('0');
    out.put(spec.type);
  }
  out.repeat('0', zeros);
  while (count) out.put(digits[--count]);
  pad(out, spec, total, false);
}

void writeText(Output& out, const Spec& spec, const char* text) {
  if (!text) text = "(null)";
  int length = 0;
  while (text[length] && (spec.precision < 0 || length < spec.precision)) ++length;
  pad(out, spec, length, true);
  out.write(text, length);
  pad(out, spec, length, false);
}

// %ls: Windows' 16-bit characters; anything beyond Latin-1 shows as '?'.
void writeWideText(Output& out, const Spec& spec, const uint16_t* text) {
  if (!text) {
    writeText(out, spec, nullptr);
    return;
  }
  int length = 0;
  while (text[length] && (spec.precision < 0 || length < spec.precision)) ++length;
  pad(out, spec, length, true);
  for (int i = 0; i < length; ++i) out.put(text[i] < 0x100 ? static_cast<char>(text[i]) : '?');
  pad(out, spec, length, false);
}

void writeChar(Output& out, const Spec& spec, char c) {
  pad(out, spec, 1, true);
  out.put(c);
  pad(out, spec, 1, false);
}

// Integer arguments: int (32-bit, which is also what LONG is, so %ld too),
// short with 'h', 64-bit with I64.
void writeSigned(Output& out, const Spec& spec, va_list& args) {
  int64_t value;
  if (spec.size == Size::Wide64)
    value = va_arg(args, int64_t);
  else if (spec.size == Size::Short)
    value = static_cast<int16_t>(va_arg(args, int));
  else
    value = static_cast<int32_t>(va_arg(args, int));
  const bool negative = value < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : value;
  writeInteger(out, spec, magnitude, negative);
}

void writeUnsigned(Output& out, const Spec& spec, va_list& args) {
  uint64_t value;
  if (spec.size == Size::Wide64)
    value = va_arg(args, uint64_t);
  else if (spec.size == Size::Short)
    value = static_cast<uint16_t>(va_arg(args, unsigned));
  else
    value = static_cast<uint32_t>(va_arg(args, unsigned));
  writeInteger(out, spec, value, false);
}

void writePointer(Output& out, Spec spec, va_list& args) {
  const auto value = reinterpret_cast<uintptr_t>(va_arg(args, void*));
  spec.precision = static_cast<int>(2 * sizeof(void*));
  writeInteger(out, spec, value, false);
}
}  // namespace

int WINAPI wvsprintfA(LPSTR buffer, LPCSTR format, va_list args) {
  if (!buffer) return 0;
  Output out(buffer);
  va_list ap;
  va_copy(ap, args);
  for (const char* p = format ? format : ""; *p;) {
    if (*p != '%') {
      out.put(*p++);
      continue;
    }
    Spec spec;
    p = parseSpec(p + 1, spec);
    switch (spec.type) {
      case 'd':
      case 'i':
        writeSigned(out, spec, ap);
        break;
      case 'u':
      case 'x':
      case 'X':
        writeUnsigned(out, spec, ap);
        break;
      case 'p':
        writePointer(out, spec, ap);
        break;
      case 'c':
        writeChar(out, spec, static_cast<char>(va_arg(ap, int)));
        break;
      case 's':
        if (spec.size == Size::Long)
          writeWideText(out, spec, va_arg(ap, const uint16_t*));
        else
          writeText(out, spec, va_arg(ap, const char*));
        break;
      case '\0':
        break;  // a lone '%' at the end writes nothing
      default:
        out.put(spec.type);  // "%%" and unknown types write the character
        break;
    }
  }
  va_end(ap);
  return out.finish();
}

int WINAPI wsprintfA(LPSTR buffer, LPCSTR format, ...) {
  va_list args;
  va_start(args, format);
  const int written = wvsprintfA(buffer, format, args);
  va_end(args);
  return written;
}
