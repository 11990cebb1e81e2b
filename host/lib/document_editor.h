// The editor state behind the stand-in host's procedures: open documents,
// menus and commands, the clipboard and its stack, the session properties,
// and a record of what clients asked for that has no effect on the documents
// (display switch, redisplay, function codes, notifications, return values,
// alerts). Objects are addressed as the host's API addresses them:
// (document, object, property), document 0 with object 0 being the session.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "document.h"
#include "menus.h"

namespace vxhost {

struct HostEvent {
  enum class Kind { DisplaySwitch, Progress, Redisplay, Fcodes, Notification, ReturnValue, Alert };
  Kind kind = Kind::Redisplay;
  ObjId doc = 0;                // Redisplay
  int32_t value = 0;            // switch, progress, notification number, return value, alert style
  int32_t state = 0;            // Notification: requested state
  int32_t client = -1;          // Notification: the asking client
  std::string text;             // Alert
  std::vector<int32_t> codes;   // Fcodes
};

// What a (document, object) pair names.
enum class ObjKind { Session, Document, Flow, Frame, Paragraph, Format, MenuItem };

struct OpenResult {
  int32_t status = status::kOk;
  ObjId doc = 0;
  std::string message;  // why an open failed, for logs
};

// The path with links and dots resolved, as documents keep theirs; the path
// itself when it cannot be resolved.
std::string canonicalPath(const std::string& path);

// Open parameters the model understands (others are accepted and ignored).
namespace openparam {
constexpr int32_t kMakeVisible = 5;   // 0: open without making it the active document
constexpr int32_t kNewFromTemplate = 29;  // non-zero: a new untitled document from the file
}  // namespace openparam

class Editor {
 public:
  static constexpr size_t kMaxClipboardStack = 256;  // a deeper push drops the oldest
  static constexpr size_t kMaxEvents = 100000;  // older records are dropped beyond this

  Editor();
  // Documents and menus refer back to the editor's identifier counter.
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  MenuSet& menus() { return menus_; }
  const MenuSet& menus() const { return menus_; }
  IdAllocator& ids() { return ids_; }

  // Documents. An already open file is not opened twice: its document is
  // returned (unless a new document from it is asked for).
  OpenResult open(const std::string& path, const std::vector<PropVal>& params);
  ObjId addDocument(const DocContent& content, const std::string& name, const std::string& path,
                    bool makeActive);
  int32_t close(ObjId doc);
  // Saves to `path`, or to the document's own file when `path` is empty.
  int32_t save(ObjId doc, const std::string& path, std::string* message);
  Document* document(ObjId doc) const;
  // The open documents, in the order they were opened.
  std::vector<ObjId> documents() const;
  ObjId activeDocument() const { return active_.empty() ? 0 : active_.back(); }
  // Makes an open document the active one (session property 51).
  void activate(ObjId doc);

  // Properties the model defines. kUnknownProperty means the object exists but
  // the model has no such property: the caller may keep it elsewhere.
  PropResult getProp(ObjId doc, ObjId obj, int32_t prop) const;
  int32_t setProp(ObjId doc, ObjId obj, int32_t prop, const Value& value);
  int32_t getProps(ObjId doc, ObjId obj, std::vector<PropVal>& out) const;
  // Sets each entry; entries the model does not know go to `unhandled`.
  int32_t setProps(ObjId doc, ObjId obj, const std::vector<PropVal>& props,
                   std::vector<PropVal>* unhandled = nullptr);
  // Typed conveniences over getProp: kBadType when the property holds another kind.
  int32_t getInt(ObjId doc, ObjId obj, int32_t prop, int32_t& out) const;
  int32_t getString(ObjId doc, ObjId obj, int32_t prop, std::string& out) const;
  int32_t getRange(ObjId doc, ObjId obj, int32_t prop, TextRange& out) const;

  // Objects.
  int32_t namedObject(ObjId doc, int32_t type, const std::string& name, ObjId& out) const;
  int32_t newNamedObject(ObjId doc, int32_t type, const std::string& name, ObjId& out);
  int32_t objectValid(ObjId doc, ObjId obj) const;
  int32_t objectKind(ObjId doc, ObjId obj, ObjKind& out) const;
  int32_t deleteObject(ObjId doc, ObjId obj);

  // Text and clipboard. Cut, copy, paste and clear work on the selection.
  int32_t textItems(ObjId doc, const TextRange& range, uint32_t kinds, std::vector<TextItem>& out) const;
  // The text of a paragraph, or of the whole document when `obj` is the document.
  int32_t objectText(ObjId doc, ObjId obj, uint32_t kinds, std::vector<TextItem>& out) const;
  int32_t addText(ObjId doc, const TextLoc& at, const std::string& text, TextLoc* after);
  int32_t deleteText(ObjId doc, const TextRange& range);
  // Replaces a range inside one paragraph (or inserts at an insertion point).
  int32_t replaceText(ObjId doc, const TextRange& range, const std::string& text, TextLoc* after);
  int32_t cut(ObjId doc);
  int32_t copy(ObjId doc);
  int32_t paste(ObjId doc);
  int32_t clear(ObjId doc);
  int32_t pushClipboard();
  int32_t popClipboard();
  const Clip& clipboard() const { return clipboard_; }
  size_t clipboardDepth() const { return stack_.size(); }
  // Deliver paragraph text in string items of at most n bytes (0: one item).
  void setTextItemChunk(size_t n) { chunk_ = n; }

  // Recorded requests.
  int32_t redisplay(ObjId doc);
  void fcodes(const std::vector<int32_t>& codes);
  void notification(int32_t client, int32_t number, int32_t state);
  bool wantsNotification(int32_t client, int32_t number) const;
  void returnValue(int32_t value);
  void alert(const std::string& text, int32_t style);
  const std::vector<HostEvent>& events() const { return events_; }
  void clearEvents() { events_.clear(); }
  int32_t display() const { return display_; }

 private:
  struct Target {
    ObjKind kind = ObjKind::Session;
    Document* doc = nullptr;
    ObjId obj = 0;
    ObjId context = 0;  // for menu items: the menu named as the document
  };
  int32_t resolve(ObjId doc, ObjId obj, Target& out) const;
  PropResult getOf(const Target& t, int32_t prop) const;
  int32_t setOf(const Target& t, int32_t prop, const Value& value);
  int32_t selectionEdit(ObjId doc, bool remove, bool toClipboard);
  void record(HostEvent event);

  IdAllocator ids_;
  MenuSet menus_;
  std::unordered_map<ObjId, std::unique_ptr<Document>> docs_;
  std::vector<ObjId> active_;  // visible documents, most recently activated last
  int untitled_ = 0;
  std::string templateDir1_;
  std::string templateDir2_;
  int32_t display_ = 1;
  int32_t progress_ = 0;
  Clip clipboard_;
  std::vector<Clip> stack_;
  size_t chunk_ = 0;
  std::unordered_set<int64_t> notifications_;  // client << 32 | number
  std::vector<HostEvent> events_;
};

}  // namespace vxhost
