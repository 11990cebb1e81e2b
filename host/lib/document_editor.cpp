#include "document_editor.h"

#include <algorithm>
#include <cstdlib>

#include "docfile.h"
#include "shown_text.h"

namespace vxhost {

namespace {

int32_t paramValue(const std::vector<PropVal>& params, int32_t num, int32_t fallback) {
  for (const auto& p : params)
    if (p.num == num && std::holds_alternative<int32_t>(p.value)) return std::get<int32_t>(p.value);
  return fallback;
}

std::string baseName(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string canonicalPath(const std::string& path) {
  char* resolved = realpath(path.c_str(), nullptr);
  if (!resolved) return path;
  std::string out(resolved);
  std::free(resolved);
  return out;
}

Editor::Editor() : menus_(ids_) {}

Document* Editor::document(ObjId doc) const {
  auto it = docs_.find(doc);
  return it == docs_.end() ? nullptr : it->second.get();
}

std::vector<ObjId> Editor::documents() const {
  std::vector<ObjId> ids;
  for (const auto& entry : docs_) ids.push_back(entry.first);
  // Identifiers are handed out in increasing order.
  std::sort(ids.begin(), ids.end());
  return ids;
}

void Editor::activate(ObjId doc) {
  if (!docs_.count(doc)) return;
  active_.erase(std::remove(active_.begin(), active_.end(), doc), active_.end());
  active_.push_back(doc);
}

ObjId Editor::addDocument(const DocContent& content, const std::string& name, const std::string& path,
                          bool makeActive) {
  ObjId id = ids_.next();
  auto doc = std::make_unique<Document>(id, ids_, name, content);
  doc->setPath(path);
  docs_[id] = std::move(doc);
  if (makeActive) activate(id);
  return id;
}

OpenResult Editor::open(const std::string& path, const std::vector<PropVal>& params) {
  OpenResult r;
  bool fresh = paramValue(params, openparam::kNewFromTemplate, 0) != 0;
  bool visible = paramValue(params, openparam::kMakeVisible, 1) != 0;
  std::string full = canonicalPath(path);
  if (!fresh) {
    for (const auto& [id, doc] : docs_) {
      if (!doc->path().empty() && doc->path() == full) {
        if (visible) activate(id);
        r.doc = id;
        return r;
      }
    }
  }
  DocContent content;
  r.status = loadDocument(path, content, r.message);
  if (r.status != status::kOk) return r;
  if (fresh)
    r.doc = addDocument(content, "Untitled" + std::to_string(++untitled_), "", visible);
  else
    r.doc = addDocument(content, baseName(full), full, visible);
  return r;
}

int32_t Editor::close(ObjId doc) {
  if (!docs_.erase(doc)) return status::kBadDocument;
  active_.erase(std::remove(active_.begin(), active_.end(), doc), active_.end());
  return status::kOk;
}

int32_t Editor::save(ObjId id, const std::string& path, std::string* message) {
  Document* doc = document(id);
  std::string why;
  if (!doc) {
    why = "no such document";
    if (message) *message = why;
    return status::kBadDocument;
  }
  std::string target = path.empty() ? doc->path() : path;
  if (target.empty()) {
    if (message) *message = shown(doc->name()) + ": the document has no file yet";
    return status::kBadValue;
  }
  int32_t st = saveDocument(target, doc->content(), why);
  // Like "save as" in any editor: the document now belongs to that file.
  if (st == status::kOk) {
    doc->markSaved();
    doc->setPath(canonicalPath(target));
    doc->setName(baseName(doc->path()));
  }
  if (message) *message = why;
  return st;
}

int32_t Editor::namedObject(ObjId doc, int32_t type, const std::string& name, ObjId& out) const {
  out = 0;
  if (type == objtype::kParagraphFormat) {
    const Document* d = document(doc);
    if (!d) return status::kBadDocument;
    out = d->findFormat(name);
  } else {
    out = menus_.find(type, name);
  }
  return out ? status::kOk : status::kNoSuchName;
}

int32_t Editor::newNamedObject(ObjId doc, int32_t type, const std::string& name, ObjId& out) {
  out = 0;
  if (name.empty()) return status::kBadValue;
  switch (type) {
    case objtype::kParagraphFormat: {
      Document* d = document(doc);
      if (!d) return status::kBadDocument;
      out = d->addFormat(name);
      return status::kOk;
    }
    case objtype::kMenu:
    case objtype::kCommand:
      // An existing one is found, not redefined: its label, number and
      // owner stay as they are.
      out = menus_.find(type, name);
      if (!out)
        out = type == objtype::kMenu ? menus_.defineMenu(name, name) : menus_.defineCommand(0, name, name, "", -1);
      return out ? status::kOk : status::kLimit;
    default: return status::kBadValue;
  }
}

int32_t Editor::objectValid(ObjId doc, ObjId obj) const {
  Target t;
  return resolve(doc, obj, t);
}

int32_t Editor::objectKind(ObjId doc, ObjId obj, ObjKind& out) const {
  Target t;
  int32_t st = resolve(doc, obj, t);
  out = t.kind;
  return st;
}

int32_t Editor::deleteObject(ObjId doc, ObjId obj) {
  Target t;
  if (int32_t st = resolve(doc, obj, t)) return st;
  switch (t.kind) {
    case ObjKind::Paragraph: return t.doc->deleteParagraph(obj);
    case ObjKind::Format: return t.doc->removeFormat(obj);
    case ObjKind::MenuItem: return menus_.remove(obj);
    default: return status::kBadValue;  // documents close; the rest is structure
  }
}

int32_t Editor::textItems(ObjId doc, const TextRange& range, uint32_t kinds, std::vector<TextItem>& out) const {
  out.clear();
  const Document* d = document(doc);
  if (!d) return status::kBadDocument;
  std::vector<TextItem> items;
  int32_t st = d->textItems(range, chunk_, items);
  // String items are the only kind this host keeps; asked for other kinds
  // only, a valid range gives none.
  if (st == status::kOk && (kinds & kStringItem)) out = std::move(items);
  return st;
}

int32_t Editor::objectText(ObjId doc, ObjId obj, uint32_t kinds, std::vector<TextItem>& out) const {
  out.clear();
  const Document* d = document(doc);
  if (!d) return status::kBadDocument;
  if (obj == doc) return textItems(doc, {{d->first(), 0}, {d->last(), kEndOfParagraph}}, kinds, out);
  if (!d->paragraph(obj)) return status::kBadObject;
  return textItems(doc, {{obj, 0}, {obj, kEndOfParagraph}}, kinds, out);
}

int32_t Editor::addText(ObjId doc, const TextLoc& at, const std::string& text, TextLoc* after) {
  Document* d = document(doc);
  return d ? d->addText(at, text, after) : status::kBadDocument;
}

int32_t Editor::deleteText(ObjId doc, const TextRange& range) {
  Document* d = document(doc);
  return d ? d->extract(range, true, nullptr) : status::kBadDocument;
}

int32_t Editor::replaceText(ObjId doc, const TextRange& range, const std::string& text, TextLoc* after) {
  Document* d = document(doc);
  if (!d) return status::kBadDocument;
  if (range.start.obj != range.end.obj || range.end.offset == kEndOfParagraph) return status::kBadRange;
  const Paragraph* p = d->paragraph(range.start.obj);
  if (!p) return status::kBadObject;
  int32_t a = resolveOffset(range.start.offset, p->content.text.size());
  int32_t b = resolveOffset(range.end.offset, p->content.text.size());
  if (a < 0 || b < a) return status::kBadRange;
  if (b > a) {
    if (int32_t st = d->extract(range, true, nullptr)) return st;
  }
  return d->addText({range.start.obj, a}, text, after);
}

int32_t Editor::selectionEdit(ObjId doc, bool remove, bool toClipboard) {
  Document* d = document(doc);
  if (!d) return status::kBadDocument;
  if (d->selection() == TextRange{}) return status::kNothingSelected;
  Clip clip;
  int32_t st = d->extract(d->selection(), remove, &clip);
  if (st == status::kOk && toClipboard) clipboard_ = std::move(clip);
  return st;
}

int32_t Editor::cut(ObjId doc) { return selectionEdit(doc, true, true); }
int32_t Editor::copy(ObjId doc) { return selectionEdit(doc, false, true); }
int32_t Editor::clear(ObjId doc) { return selectionEdit(doc, true, false); }

int32_t Editor::paste(ObjId doc) {
  Document* d = document(doc);
  if (!d) return status::kBadDocument;
  if (clipboard_.paras.empty()) return status::kClipboardEmpty;
  TextRange sel = d->selection();
  if (sel == TextRange{}) return status::kNothingSelected;
  const Paragraph* p = d->paragraph(sel.start.obj);
  bool caret = p && sel.start.obj == sel.end.obj && sel.end.offset != kEndOfParagraph &&
               resolveOffset(sel.start.offset, p->content.text.size()) ==
                   resolveOffset(sel.end.offset, p->content.text.size());
  // Pasting over a selection replaces it.
  if (!caret) {
    if (int32_t st = d->extract(sel, true, nullptr)) return st;
  }
  return d->insert(d->selection().start, clipboard_);
}

int32_t Editor::pushClipboard() {
  // A push has no failure a client could see (its procedure answers
  // nothing): past the limit the oldest entry goes instead, so that every
  // pop still restores what its own push saved.
  if (stack_.size() >= kMaxClipboardStack) stack_.erase(stack_.begin());
  stack_.push_back(clipboard_);
  return status::kOk;
}

int32_t Editor::popClipboard() {
  if (stack_.empty()) return status::kClipboardEmpty;
  clipboard_ = std::move(stack_.back());
  stack_.pop_back();
  return status::kOk;
}

void Editor::record(HostEvent event) {
  if (events_.size() >= kMaxEvents) events_.erase(events_.begin(), events_.begin() + kMaxEvents / 2);
  events_.push_back(std::move(event));
}

int32_t Editor::redisplay(ObjId doc) {
  if (!document(doc)) return status::kBadDocument;
  HostEvent e;
  e.kind = HostEvent::Kind::Redisplay;
  e.doc = doc;
  record(std::move(e));
  return status::kOk;
}

void Editor::fcodes(const std::vector<int32_t>& codes) {
  HostEvent e;
  e.kind = HostEvent::Kind::Fcodes;
  e.codes = codes;
  record(std::move(e));
}

static int64_t notificationKey(int32_t client, int32_t number) {
  return static_cast<int64_t>(static_cast<uint64_t>(static_cast<uint32_t>(client)) << 32 |
                              static_cast<uint32_t>(number));
}

void Editor::notification(int32_t client, int32_t number, int32_t state) {
  if (state)
    notifications_.insert(notificationKey(client, number));
  else
    notifications_.erase(notificationKey(client, number));
  HostEvent e;
  e.kind = HostEvent::Kind::Notification;
  e.value = number;
  e.state = state;
  e.client = client;
  record(std::move(e));
}

bool Editor::wantsNotification(int32_t client, int32_t number) const {
  return notifications_.count(notificationKey(client, number)) != 0;
}

void Editor::returnValue(int32_t value) {
  HostEvent e;
  e.kind = HostEvent::Kind::ReturnValue;
  e.value = value;
  record(std::move(e));
}

void Editor::alert(const std::string& text, int32_t style) {
  HostEvent e;
  e.kind = HostEvent::Kind::Alert;
  e.value = style;
  e.text = text;
  record(std::move(e));
}

}  // namespace vxhost
