// Plain types shared by the stand-in host's document model, its menus and its
// file format. No RPC here: the RPC layer converts these to and from the wire
// records.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace vxhost {

using ObjId = uint32_t;  // 0 means no object

// Offsets with a meaning of their own.
constexpr int32_t kEndOfParagraph = 0x50000000;  // range end: through the paragraph end
constexpr int32_t kEndOfText = 0x4FFFFFFF;       // location: after the last character

// Object types the model answers for.
namespace objtype {
constexpr int32_t kParagraphFormat = 32;
constexpr int32_t kMenu = 55;
constexpr int32_t kCommand = 57;
}  // namespace objtype

// Property numbers the model answers for; every other number is left to the
// caller's generic store (status kUnknownProperty).
namespace prop {
constexpr int32_t kTag = 20;              // paragraph: format tag; format: its name
constexpr int32_t kLabel = 30;            // menu item: label
constexpr int32_t kActiveDocument = 51;   // session
constexpr int32_t kTemplateDir2 = 84;     // session: second template directory
constexpr int32_t kTemplateDir1 = 89;     // session: first template directory
constexpr int32_t kDisplay = 92;          // session: display switch
constexpr int32_t kProgress = 104;        // session
constexpr int32_t kSelection = 109;       // document: text range
constexpr int32_t kMainFlow = 422;        // document -> flow
constexpr int32_t kFormatLock = 588;      // paragraph: formats apply only while 0
constexpr int32_t kNext = 717;            // paragraph
constexpr int32_t kPrevious = 718;        // paragraph
constexpr int32_t kFirstFrame = 1169;     // flow -> frame
constexpr int32_t kNextItem = 1923;       // menu item: next item in its menu
constexpr int32_t kFirstItem = 1927;      // menu: first item
constexpr int32_t kFirstParagraph = 972;  // frame -> first paragraph
}  // namespace prop

// Host status codes (0 is success). Kept clear of the codes the client side
// makes up for itself (-1, -4, -5, -7, -20, -22, -42, -43).
namespace status {
constexpr int32_t kOk = 0;
constexpr int32_t kBadDocument = -1001;     // no such open document
constexpr int32_t kBadObject = -1002;       // no such object (in that document)
constexpr int32_t kUnknownProperty = -1003; // the model has no such property
constexpr int32_t kBadType = -1004;         // value of the wrong type
constexpr int32_t kReadOnly = -1005;        // property cannot be set
constexpr int32_t kBadRange = -1006;        // location or range not in the text
constexpr int32_t kNoSuchName = -1007;      // no named object of that type and name
constexpr int32_t kBadValue = -1008;        // value out of range or inconsistent
constexpr int32_t kNoFile = -1009;          // file missing or unreadable
constexpr int32_t kBadFile = -1010;         // malformed document file
constexpr int32_t kClipboardEmpty = -1011;  // nothing to paste, or nothing to pop
constexpr int32_t kNothingSelected = -1012; // cut or copy of an insertion point
constexpr int32_t kLastParagraph = -1013;   // a document keeps one paragraph at least
constexpr int32_t kLimit = -1014;           // a size limit was reached
}  // namespace status

struct TextLoc {
  ObjId obj = 0;
  int32_t offset = 0;
  bool operator==(const TextLoc& o) const { return obj == o.obj && offset == o.offset; }
  bool operator!=(const TextLoc& o) const { return !(*this == o); }
};

struct TextRange {
  TextLoc start, end;
  bool operator==(const TextRange& o) const { return start == o.start && end == o.end; }
  bool operator!=(const TextRange& o) const { return !(*this == o); }
};

constexpr int32_t kStringItem = 1;  // text item type: carries a string

struct TextItem {
  int32_t offset = 0;  // position of the item within its paragraph's text
  int32_t type = kStringItem;
  std::string text;     // when type is kStringItem
  int32_t number = 0;   // otherwise
};

// A property value as the model knows it. Identifiers travel as integers.
using Value = std::variant<int32_t, std::string, TextRange>;

struct PropVal {
  int32_t num = 0;
  std::string name;  // used only when num is 0
  Value value;
};

struct PropResult {
  int32_t status = status::kOk;
  Value value;
};

// The content of one paragraph, as it travels through the clipboard and files.
struct ParaContent {
  std::string tag;
  std::string text;
  int32_t lock = 0;  // property 588
  bool operator==(const ParaContent& o) const {
    return tag == o.tag && text == o.text && lock == o.lock;
  }
};

// A whole document's content: declared paragraph formats, then paragraphs.
struct DocContent {
  std::vector<std::string> formats;
  std::vector<ParaContent> paras;
  bool operator==(const DocContent& o) const { return formats == o.formats && paras == o.paras; }
};

// The value stored under `key` in a map, or null.
template <typename Map>
auto findIn(Map& map, const typename Map::key_type& key) -> decltype(&map.begin()->second) {
  auto it = map.find(key);
  return it == map.end() ? nullptr : &it->second;
}

// Hands out object identifiers; one per host, so that no identifier is ever
// reused for another object.
class IdAllocator {
 public:
  ObjId next() { return next_++; }

 private:
  ObjId next_ = 1;
};

}  // namespace vxhost
