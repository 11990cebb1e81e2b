// The stand-in host's document files: readable text, one paragraph per line
// with its tag (the format is described in docs/file-format.md).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "document_types.h"

namespace vxhost {

struct DocFileError {
  int line = 0;  // 1-based; 0 when the error concerns the whole file
  std::string reason;
};

constexpr size_t kMaxDocFileSize = 64u << 20;

// Parses a whole file's text. On failure `err` names the first bad line.
bool parseDocument(std::string_view text, DocContent& out, DocFileError& err);
// The canonical text of a document; parseDocument gives the same content back.
std::string formatDocument(const DocContent& doc);

// File wrappers returning host status codes: kNoFile when the file cannot be
// read or written, kBadFile when it is malformed. `message` says why, as
// "path:line: reason" or "path: reason".
int32_t loadDocument(const std::string& path, DocContent& out, std::string& message);
// Writes a new file beside the old one and renames it over, so that a failed
// save never leaves a half-written document.
int32_t saveDocument(const std::string& path, const DocContent& doc, std::string& message);

}  // namespace vxhost
