#include "document.h"

#include <algorithm>

namespace vxhost {

int32_t resolveOffset(int32_t offset, size_t length) {
  if (offset == kEndOfText || offset == kEndOfParagraph) return static_cast<int32_t>(length);
  if (offset < 0 || static_cast<size_t>(offset) > length) return -1;
  return offset;
}

namespace {
// Offsets are signed 32-bit on the wire and the end markers must stay out of
// reach of real positions.
constexpr size_t kMaxText = kEndOfText - 1;
}  // namespace

Document::Document(ObjId id, IdAllocator& ids, std::string name, const DocContent& content)
    : id_(id), ids_(ids), name_(std::move(name)), flow_(ids.next()), frame_(ids.next()) {
  for (const auto& f : content.formats) addFormat(f);
  for (const auto& p : content.paras) insertBefore(0, p);
  if (paras_.empty()) insertBefore(0, ParaContent{});
  selection_ = {{first_, 0}, {first_, 0}};
  savedRevision_ = revision_;
}

const Paragraph* Document::paragraph(ObjId id) const { return findIn(paras_, id); }

Paragraph* Document::paragraph(ObjId id) {
  ++revision_;
  return findIn(paras_, id);
}

std::vector<const Paragraph*> Document::paragraphs() const {
  std::vector<const Paragraph*> out;
  out.reserve(paras_.size());
  for (ObjId id = first_; id != 0; id = paras_.at(id).next) out.push_back(&paras_.at(id));
  return out;
}

ObjId Document::findFormat(std::string_view name) const {
  const ObjId* id = findIn(formatByName_, std::string(name));
  return id ? *id : 0;
}

const ParagraphFormat* Document::format(ObjId id) const { return findIn(formats_, id); }

ObjId Document::addFormat(const std::string& name) {
  if (ObjId existing = findFormat(name)) return existing;
  ObjId id = ids_.next();
  ++revision_;
  formats_[id] = ParagraphFormat{id, name};
  formatByName_[name] = id;
  formatOrder_.push_back(id);
  return id;
}

int32_t Document::removeFormat(ObjId id) {
  auto it = formats_.find(id);
  if (it == formats_.end()) return status::kBadObject;
  ++revision_;
  formatByName_.erase(it->second.name);
  formatOrder_.erase(std::find(formatOrder_.begin(), formatOrder_.end(), id));
  formats_.erase(it);
  return status::kOk;
}

int32_t Document::setSelection(const TextRange& range) {
  if (range == TextRange{}) {  // no selection at all
    selection_ = range;
    return status::kOk;
  }
  const Paragraph* a = paragraph(range.start.obj);
  const Paragraph* b = paragraph(range.end.obj);
  if (!a || !b) return status::kBadObject;
  if (resolveOffset(range.start.offset, a->content.text.size()) < 0 ||
      resolveOffset(range.end.offset, b->content.text.size()) < 0)
    return status::kBadRange;
  selection_ = range;
  return status::kOk;
}

ObjId Document::insertBefore(ObjId before, ParaContent content, ObjId id) {
  if (id == 0) id = ids_.next();
  ++revision_;
  Paragraph& p = paras_[id];
  p.id = id;
  p.content = std::move(content);
  p.next = before;
  p.prev = before ? paras_.at(before).prev : last_;
  (p.prev ? paras_.at(p.prev).next : first_) = id;
  (before ? paras_.at(before).prev : last_) = id;
  return id;
}

void Document::erase(ObjId id) {
  ++revision_;
  const Paragraph& p = paras_.at(id);
  (p.prev ? paras_.at(p.prev).next : first_) = p.next;
  (p.next ? paras_.at(p.next).prev : last_) = p.prev;
  paras_.erase(id);
}

void Document::moveSelection(ObjId gone, int32_t from, TextLoc to) {
  for (TextLoc* loc : {&selection_.start, &selection_.end}) {
    if (loc->obj != gone) continue;
    int32_t at = resolveOffset(loc->offset, paras_.at(gone).content.text.size());
    if (at >= from) *loc = {to.obj, to.offset + (at - from)};
  }
}

void Document::insertChars(Paragraph& p, int32_t offset, std::string_view text) {
  ++revision_;
  p.content.text.insert(static_cast<size_t>(offset), text);
  // An end marker still means the end; numeric positions after the insertion
  // shift with the text, so a caret at the spot ends up after it.
  for (TextLoc* loc : {&selection_.start, &selection_.end}) {
    if (loc->obj == p.id && loc->offset >= offset && loc->offset < kEndOfText)
      loc->offset += static_cast<int32_t>(text.size());
  }
}

ObjId Document::split(ObjId id, int32_t offset) {
  ParaContent tail{paras_.at(id).content.tag, paras_.at(id).content.text.substr(offset), 0};
  ObjId next = paras_.at(id).next;
  ObjId added = insertBefore(next, std::move(tail));
  moveSelection(id, offset, {added, 0});
  ++revision_;
  paras_.at(id).content.text.resize(static_cast<size_t>(offset));
  return added;
}

int32_t Document::addText(const TextLoc& at, std::string_view text, TextLoc* after) {
  Paragraph* p = paragraph(at.obj);
  if (!p) return status::kBadObject;
  int32_t offset = resolveOffset(at.offset, p->content.text.size());
  if (offset < 0) return status::kBadRange;
  // Checked up front so that a refused text changes nothing.
  if (p->content.text.size() + text.size() > kMaxText) return status::kLimit;
  ObjId cur = p->id;
  for (size_t pos = 0;;) {
    size_t nl = text.find('\n', pos);
    std::string_view piece = text.substr(pos, nl == std::string_view::npos ? nl : nl - pos);
    insertChars(paras_.at(cur), offset, piece);
    offset += static_cast<int32_t>(piece.size());
    if (nl == std::string_view::npos) break;
    cur = split(cur, offset);
    offset = 0;
    pos = nl + 1;
  }
  if (after) *after = {cur, offset};
  return status::kOk;
}

int32_t Document::deleteParagraph(ObjId id) {
  const Paragraph* p = paragraph(id);
  if (!p) return status::kBadObject;
  if (paras_.size() == 1) return status::kLastParagraph;
  TextLoc to = p->next ? TextLoc{p->next, 0}
                       : TextLoc{p->prev, static_cast<int32_t>(paras_.at(p->prev).content.text.size())};
  for (TextLoc* loc : {&selection_.start, &selection_.end})
    if (loc->obj == id) *loc = to;
  erase(id);
  return status::kOk;
}

// Whether `to` stands at or after `from` in the chain. Walks from both ends at
// once, so the cost is the distance between them whichever way round they are.
bool Document::ordered(ObjId from, ObjId to) const {
  for (ObjId a = from, b = to; a != 0 || b != 0;) {
    if (a == to) return true;
    if (b == from) return false;
    if (a) a = paras_.at(a).next;
    if (b) b = paras_.at(b).next;
  }
  return false;
}

int32_t Document::extract(const TextRange& range, bool remove, Clip* out) {
  Paragraph* p = paragraph(range.start.obj);
  Paragraph* q = paragraph(range.end.obj);
  if (!p || !q) return status::kBadObject;
  Clip clip;
  if (range.start.offset == 0 && range.end.offset == kEndOfParagraph) {
    if (!ordered(p->id, q->id)) return status::kBadRange;
    ObjId stop = q->next;
    for (ObjId id = p->id; id != stop; id = paras_.at(id).next) clip.paras.push_back(paras_.at(id).content);
    if (remove) {
      // The chain's last paragraph stays, emptied, so that a document never
      // loses its final paragraph object.
      bool keepLast = stop == 0;
      ObjId end = keepLast ? q->id : stop;
      for (ObjId id = p->id; id != end;) {
        ObjId next = paras_.at(id).next;
        erase(id);
        id = next;
      }
      if (keepLast) {
        paras_.at(end).content.text.clear();
        ++revision_;
      }
      selection_ = {{end, 0}, {end, 0}};
    }
  } else {
    if (p != q) return status::kBadRange;
    int32_t a = resolveOffset(range.start.offset, p->content.text.size());
    int32_t b = resolveOffset(range.end.offset, p->content.text.size());
    if (a < 0 || b < 0 || a > b) return status::kBadRange;
    if (a == b) return status::kNothingSelected;
    clip.wholeParagraphs = false;
    clip.paras.push_back({p->content.tag, p->content.text.substr(a, b - a), 0});
    if (remove) {
      ++revision_;
      p->content.text.erase(a, b - a);
      selection_ = {{p->id, a}, {p->id, a}};
    }
  }
  if (out) *out = std::move(clip);
  return status::kOk;
}

int32_t Document::insert(const TextLoc& at, const Clip& clip) {
  Paragraph* x = paragraph(at.obj);
  if (!x) return status::kBadObject;
  int32_t offset = resolveOffset(at.offset, x->content.text.size());
  if (offset < 0) return status::kBadRange;
  if (clip.paras.empty()) return status::kClipboardEmpty;
  if (!clip.wholeParagraphs) {
    const std::string& text = clip.paras.front().text;
    if (x->content.text.size() + text.size() > kMaxText) return status::kLimit;
    insertChars(*x, offset, text);
    int32_t end = offset + static_cast<int32_t>(text.size());
    selection_ = {{x->id, end}, {x->id, end}};
    return status::kOk;
  }
  // At the start of a paragraph the clip goes before it; at the end of a
  // non-empty one, after it; inside the text, the paragraph is split first.
  ObjId before;
  if (offset == 0)
    before = x->id;
  else if (static_cast<size_t>(offset) == x->content.text.size())
    before = x->next;
  else
    before = split(x->id, offset);
  ObjId lastAdded = 0;
  for (const auto& content : clip.paras) lastAdded = insertBefore(before, content);
  TextLoc caret = before ? TextLoc{before, 0}
                         : TextLoc{lastAdded, static_cast<int32_t>(paras_.at(lastAdded).content.text.size())};
  selection_ = {caret, caret};
  return status::kOk;
}

int32_t Document::textItems(const TextRange& range, size_t chunk, std::vector<TextItem>& out) const {
  out.clear();
  const Paragraph* p = paragraph(range.start.obj);
  const Paragraph* q = paragraph(range.end.obj);
  if (!p || !q) return status::kBadObject;
  int32_t from = resolveOffset(range.start.offset, p->content.text.size());
  int32_t to = resolveOffset(range.end.offset, q->content.text.size());
  if (from < 0 || to < 0 || !ordered(p->id, q->id) || (p == q && from > to)) return status::kBadRange;
  for (const Paragraph* cur = p;; cur = &paras_.at(cur->next)) {
    const std::string& text = cur->content.text;
    size_t begin = cur == p ? static_cast<size_t>(from) : 0;
    size_t end = cur == q ? static_cast<size_t>(to) : text.size();
    size_t step = chunk ? chunk : std::max<size_t>(end - begin, 1);
    for (size_t at = begin; at < end; at += step) {
      TextItem item;
      item.offset = static_cast<int32_t>(at);
      item.text = text.substr(at, std::min(step, end - at));
      out.push_back(std::move(item));
    }
    if (cur == q) break;
  }
  return status::kOk;
}

void Document::replaceRun(ObjId after, size_t count, const std::vector<Paragraph>& paras) {
  ObjId at = after ? paras_.at(after).next : first_;
  for (; count > 0 && at != 0; --count) {
    ObjId next = paras_.at(at).next;
    erase(at);
    at = next;
  }
  for (const Paragraph& p : paras) insertBefore(at, p.content, p.id);
}

std::vector<ParagraphFormat> Document::formats() const {
  std::vector<ParagraphFormat> out;
  out.reserve(formatOrder_.size());
  for (ObjId id : formatOrder_) out.push_back(formats_.at(id));
  return out;
}

void Document::setFormats(const std::vector<ParagraphFormat>& formats) {
  ++revision_;
  formats_.clear();
  formatByName_.clear();
  formatOrder_.clear();
  for (const ParagraphFormat& f : formats) {
    formats_[f.id] = f;
    formatByName_[f.name] = f.id;
    formatOrder_.push_back(f.id);
  }
}

DocContent Document::content() const {
  DocContent c;
  for (ObjId id : formatOrder_) c.formats.push_back(formats_.at(id).name);
  for (const Paragraph* p : paragraphs()) c.paras.push_back(p->content);
  return c;
}

}  // namespace vxhost
