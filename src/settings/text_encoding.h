// Text encodings of settings files. Text is held as UTF-8 inside the program; a
// file's byte-order mark says how it is stored on disk.
#pragma once

#include <string>
#include <string_view>

namespace lumidraw::settings {

enum class TextEncoding {
  System,   // no byte-order mark: the system's 8-bit encoding (UTF-8 on Linux)
  Utf8Bom,  // EF BB BF
  Utf16Le,  // FF FE
  Utf16Be,  // FE FF
};

// The encoding named by the byte-order mark at the start of `bytes`, and the mark
// itself (empty for System).
TextEncoding DetectEncoding(std::string_view bytes);
std::string_view ByteOrderMark(TextEncoding encoding);

// UTF-16 code units to UTF-8. An unpaired surrogate becomes U+FFFD; an odd last byte
// is dropped.
std::string Utf16ToUtf8(std::string_view bytes, bool big_endian);
// UTF-8 to UTF-16 code units; invalid UTF-8 sequences become U+FFFD.
std::string Utf8ToUtf16(std::string_view text, bool big_endian);

// `text` with every invalid UTF-8 sequence replaced by U+FFFD, so that what reaches
// the windows is always well-formed text.
std::string SanitizeUtf8(std::string_view text);

}  // namespace lumidraw::settings
