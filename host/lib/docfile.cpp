#include "docfile.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>
#include <vector>

#include "shown_text.h"

namespace vxhost {

namespace {

constexpr std::string_view kMagic = "@vxdoc 1";
constexpr std::string_view kFormatDirective = "@format ";
constexpr std::string_view kLockAttribute = "588=";

// Escapes backslashes and control characters; a leading '@' or a '#' after
// nothing but blanks (which would read as a directive or comment) and a
// trailing blank (which editors like to strip) are escaped where the field
// stands at that end of a line.
std::string escape(std::string_view s, bool lineStart, bool lineEnd) {
  std::string out;
  out.reserve(s.size());
  bool indent = lineStart;  // only blanks so far at the start of the line
  for (size_t i = 0; i < s.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    bool leading = indent;
    indent = indent && c == ' ';
    if (c == '\\') out += "\\\\";
    else if (c == '\t') out += "\\t";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (leading && (c == '#' || (c == '@' && i == 0))) (out += '\\') += static_cast<char>(c);
    else if (c < 0x20 || c == 0x7f || (c == ' ' && lineEnd && i + 1 == s.size())) {
      char buf[5];
      std::snprintf(buf, sizeof buf, "\\x%02x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool unescape(std::string_view s, std::string& out, std::string& why) {
  out.clear();
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c == '\0') {
      why = "NUL character in the line";
      return false;
    }
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i == s.size()) {
      why = "backslash at the end of a field";
      return false;
    }
    switch (s[i]) {
      case '\\': out += '\\'; break;
      case 't': out += '\t'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case '@': out += '@'; break;
      case '#': out += '#'; break;
      case 'x': {
        int hi = i + 1 < s.size() ? hexDigit(s[i + 1]) : -1;
        int lo = i + 2 < s.size() ? hexDigit(s[i + 2]) : -1;
        if (hi < 0 || lo < 0) {
          why = "\\x needs two hexadecimal digits";
          return false;
        }
        if (hi == 0 && lo == 0) {
          why = "\\x00 (NUL) cannot stand in a text";
          return false;
        }
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
        break;
      }
      default:
        why = std::string("unknown escape \\") + s[i];
        return false;
    }
  }
  return true;
}

bool parseLock(std::string_view field, int32_t& lock, std::string& why) {
  if (field.substr(0, kLockAttribute.size()) != kLockAttribute) {
    why = "unknown attribute '" + shown(field) + "' (expected 588=<number>)";
    return false;
  }
  std::string digits(field.substr(kLockAttribute.size()));
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(digits.c_str(), &end, 10);
  if (digits.empty() || *end != '\0' || errno != 0 || v < INT32_MIN || v > INT32_MAX) {
    why = "588 needs a 32-bit decimal number, not '" + shown(digits) + "'";
    return false;
  }
  lock = static_cast<int32_t>(v);
  return true;
}

bool parseParagraph(std::string_view line, ParaContent& para, std::string& why) {
  size_t tab = line.find('\t');
  if (tab == std::string_view::npos) {
    why = "expected a tab between the tag and the text";
    return false;
  }
  size_t textEnd = line.find('\t', tab + 1);
  if (!unescape(line.substr(0, tab), para.tag, why)) return false;
  if (!unescape(line.substr(tab + 1, textEnd == std::string_view::npos ? textEnd : textEnd - tab - 1),
                para.text, why))
    return false;
  if (textEnd == std::string_view::npos) return true;
  if (line.find('\t', textEnd + 1) != std::string_view::npos) {
    why = "more than one attribute after the text";
    return false;
  }
  return parseLock(line.substr(textEnd + 1), para.lock, why);
}

bool parseLine(std::string_view line, DocContent& out, std::unordered_set<std::string>& formats,
               std::string& why) {
  size_t first = line.find_first_not_of(' ');
  if (first == std::string_view::npos || line[first] == '#') return true;
  if (line[0] != '@') {
    ParaContent para;
    if (!parseParagraph(line, para, why)) return false;
    out.paras.push_back(std::move(para));
    return true;
  }
  if (line == kFormatDirective.substr(0, kFormatDirective.size() - 1)) {
    why = "a paragraph format needs a name";
    return false;
  }
  if (line.substr(0, kFormatDirective.size()) != kFormatDirective) {
    why = "unknown directive '" + shown(line.substr(0, line.find(' '))) + "'";
    return false;
  }
  std::string name;
  if (!unescape(line.substr(kFormatDirective.size()), name, why)) return false;
  if (name.empty()) {
    why = "a paragraph format needs a name";
    return false;
  }
  if (!formats.insert(name).second) {
    why = "paragraph format '" + shown(name) + "' is declared twice";
    return false;
  }
  out.formats.push_back(std::move(name));
  return true;
}

}  // namespace

bool parseDocument(std::string_view text, DocContent& out, DocFileError& err) {
  out = DocContent{};
  std::unordered_set<std::string> formats;
  int number = 0;
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
  for (size_t pos = 0; pos < text.size();) {
    size_t nl = text.find('\n', pos);
    std::string_view line = text.substr(pos, nl == std::string_view::npos ? nl : nl - pos);
    pos = nl == std::string_view::npos ? text.size() : nl + 1;
    ++number;
    // A raw carriage return can only be a line-end left by another system:
    // one in a text is always written escaped.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // Blanks at the end are an editor's doing: a text's own final blank is
    // always written escaped.
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    std::string why;
    if (number == 1) {
      if (line != kMagic) {
        err = {1, "not a document file (the first line must be '" + std::string(kMagic) + "')"};
        return false;
      }
    } else if (!parseLine(line, out, formats, why)) {
      err = {number, why};
      return false;
    }
  }
  if (number == 0) {
    err = {0, "empty file (the first line must be '" + std::string(kMagic) + "')"};
    return false;
  }
  return true;
}

std::string formatDocument(const DocContent& doc) {
  std::string out(kMagic);
  out += '\n';
  for (const auto& f : doc.formats) ((out += kFormatDirective) += escape(f, false, true)) += '\n';
  for (const auto& p : doc.paras) {
    ((out += escape(p.tag, true, false)) += '\t') += escape(p.text, false, p.lock == 0);
    if (p.lock != 0) ((out += '\t') += kLockAttribute) += std::to_string(p.lock);
    out += '\n';
  }
  return out;
}

int32_t loadDocument(const std::string& path, DocContent& out, std::string& message) {
  struct stat st;
  bool directory = stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  std::ifstream in;
  if (!directory) in.open(path, std::ios::binary);
  if (!in.is_open()) {
    message = shown(path) + ": " + std::strerror(directory ? EISDIR : errno);
    return status::kNoFile;
  }
  std::string text;
  char buf[65536];
  while (in.read(buf, sizeof buf) || in.gcount() > 0) {
    text.append(buf, static_cast<size_t>(in.gcount()));
    if (text.size() > kMaxDocFileSize) {
      message = shown(path) + ": file larger than " + std::to_string(kMaxDocFileSize >> 20) + " MiB";
      return status::kBadFile;
    }
  }
  if (in.bad()) {
    message = shown(path) + ": read error";
    return status::kNoFile;
  }
  DocFileError err;
  if (!parseDocument(text, out, err)) {
    message = shown(path) + (err.line ? ":" + std::to_string(err.line) : std::string()) + ": " + err.reason;
    return status::kBadFile;
  }
  return status::kOk;
}

namespace {

// Whether the permission bits let this process write the file: replacing it
// by renaming over it needs only the directory's permission, and a file
// that its owner made read-only must stay as it is (for root too).
bool mayWrite(const std::string& path, const struct stat& st) {
  uid_t me = geteuid();
  bool group = st.st_gid == getegid();
  if (!group) {
    std::vector<gid_t> groups(static_cast<size_t>(std::max(0, getgroups(0, nullptr))));
    int n = getgroups(static_cast<int>(groups.size()), groups.data());
    for (int i = 0; i < n && !group; ++i) group = groups[static_cast<size_t>(i)] == st.st_gid;
  }
  mode_t bit = st.st_uid == me ? S_IWUSR : group ? S_IWGRP : S_IWOTH;
  return (st.st_mode & bit) != 0 && (me == 0 || access(path.c_str(), W_OK) == 0);
}

int writeAll(int fd, const std::string& text) {
  for (size_t done = 0; done < text.size();) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : EIO;
    done += static_cast<size_t>(n);
  }
  return 0;
}

}  // namespace

int32_t saveDocument(const std::string& path, const DocContent& doc, std::string& message) {
  struct stat old;
  bool exists = stat(path.c_str(), &old) == 0;
  if (exists && !mayWrite(path, old)) {
    message = shown(path) + ": the file is read-only, so it was not replaced";
    return status::kNoFile;
  }
  // A file size limit must fail the write, not end the process with the
  // temporary file left behind.
  struct sigaction ignore {}, previous {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGXFSZ, &ignore, &previous);
  std::string tmp = path + ".XXXXXX";
  int fd = mkstemp(tmp.data());
  int failure = fd < 0 ? errno : 0;
  if (fd >= 0) {
    failure = writeAll(fd, formatDocument(doc));
    // On disk before it takes the old file's place: a crash leaves one or
    // the other, whole.
    if (!failure && fsync(fd) != 0) failure = errno;
    if (close(fd) != 0 && !failure) failure = errno;
    // mkstemp makes the file private: the document keeps the permissions of
    // the file it replaces (a private one stays private), and a new one gets
    // those of any new file.
    mode_t mask = umask(0);
    umask(mask);
    mode_t mode = exists ? old.st_mode & 07777 : 0666 & ~mask;
    if (!failure && chmod(tmp.c_str(), mode) != 0) failure = errno;
    if (!failure && std::rename(tmp.c_str(), path.c_str()) != 0) failure = errno;
    if (failure) unlink(tmp.c_str());
  }
  sigaction(SIGXFSZ, &previous, nullptr);
  if (failure) {
    message = shown(path) + ": " + std::strerror(failure);
    return status::kNoFile;
  }
  return status::kOk;
}

}  // namespace vxhost
