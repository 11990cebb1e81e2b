// Property access of the editor model: which object a (document, object)
// pair names, and the properties each kind of object has.
#include "document_editor.h"

namespace vxhost {

namespace {

struct PropSpec {
  ObjKind kind;
  int32_t num;
  bool writable;
};

// Every property the model answers, per kind of object: getProps lists these
// and setProp refuses writes to the read-only ones.
constexpr PropSpec kProps[] = {
    {ObjKind::Session, prop::kActiveDocument, true},  {ObjKind::Session, prop::kTemplateDir2, true},
    {ObjKind::Session, prop::kTemplateDir1, true},    {ObjKind::Session, prop::kDisplay, true},
    {ObjKind::Session, prop::kProgress, true},        {ObjKind::Document, prop::kSelection, true},
    {ObjKind::Document, prop::kMainFlow, false},      {ObjKind::Flow, prop::kFirstFrame, false},
    {ObjKind::Frame, prop::kFirstParagraph, false},   {ObjKind::Paragraph, prop::kTag, true},
    {ObjKind::Paragraph, prop::kFormatLock, true},    {ObjKind::Paragraph, prop::kNext, false},
    {ObjKind::Paragraph, prop::kPrevious, false},     {ObjKind::Format, prop::kTag, false},
    {ObjKind::MenuItem, prop::kLabel, true},          {ObjKind::MenuItem, prop::kNextItem, true},
    {ObjKind::MenuItem, prop::kFirstItem, false},
};

const PropSpec* findSpec(ObjKind kind, int32_t num) {
  for (const auto& spec : kProps)
    if (spec.kind == kind && spec.num == num) return &spec;
  return nullptr;
}

Value idValue(ObjId id) { return static_cast<int32_t>(id); }

}  // namespace

int32_t Editor::resolve(ObjId doc, ObjId obj, Target& t) const {
  t = Target{ObjKind::Session, nullptr, obj, 0};
  if (doc == 0) {
    if (obj == 0) return status::kOk;
    if (Document* d = document(obj)) {
      t.kind = ObjKind::Document;
      t.doc = d;
      return status::kOk;
    }
    if (!menus_.isItem(obj)) return status::kBadObject;
    t.kind = ObjKind::MenuItem;
    return status::kOk;
  }
  if (Document* d = document(doc)) {
    t.doc = d;
    if (obj == doc) t.kind = ObjKind::Document;
    else if (obj == d->flow()) t.kind = ObjKind::Flow;
    else if (obj == d->frame()) t.kind = ObjKind::Frame;
    else if (d->paragraph(obj)) t.kind = ObjKind::Paragraph;
    else if (d->format(obj)) t.kind = ObjKind::Format;
    else return status::kBadObject;
    return status::kOk;
  }
  // A menu in the document position says which of an item's menus is meant.
  if (!menus_.menu(doc)) return status::kBadDocument;
  if (!menus_.isItem(obj)) return status::kBadObject;
  t.kind = ObjKind::MenuItem;
  t.context = doc;
  return status::kOk;
}

PropResult Editor::getOf(const Target& t, int32_t num) const {
  PropResult r;
  const Paragraph* p = t.kind == ObjKind::Paragraph ? t.doc->paragraph(t.obj) : nullptr;
  switch (num) {
    case prop::kActiveDocument: r.value = idValue(activeDocument()); break;
    case prop::kTemplateDir1: r.value = templateDir1_; break;
    case prop::kTemplateDir2: r.value = templateDir2_; break;
    case prop::kDisplay: r.value = display_; break;
    case prop::kProgress: r.value = progress_; break;
    case prop::kSelection: r.value = t.doc->selection(); break;
    case prop::kMainFlow: r.value = idValue(t.doc->flow()); break;
    case prop::kFirstFrame: r.value = idValue(t.doc->frame()); break;
    case prop::kFirstParagraph: r.value = idValue(t.doc->first()); break;
    case prop::kTag: r.value = p ? p->content.tag : t.doc->format(t.obj)->name; break;
    case prop::kFormatLock: r.value = p->content.lock; break;
    case prop::kNext: r.value = idValue(p->next); break;
    case prop::kPrevious: r.value = idValue(p->prev); break;
    case prop::kLabel: r.value = *menus_.label(t.obj); break;
    case prop::kNextItem: r.value = idValue(menus_.nextItem(t.context, t.obj)); break;
    case prop::kFirstItem: r.value = idValue(menus_.firstItem(t.obj)); break;
    default: r.status = status::kUnknownProperty; break;
  }
  return r;
}

int32_t Editor::setOf(const Target& t, int32_t num, const Value& v) {
  const auto* i = std::get_if<int32_t>(&v);
  const auto* s = std::get_if<std::string>(&v);
  const auto* range = std::get_if<TextRange>(&v);
  bool wantsString = num == prop::kTemplateDir1 || num == prop::kTemplateDir2 || num == prop::kTag ||
                     num == prop::kLabel;
  if (num == prop::kSelection ? !range : wantsString ? !s : !i) return status::kBadType;
  switch (num) {
    case prop::kActiveDocument:
      if (!document(static_cast<ObjId>(*i))) return status::kBadValue;
      activate(static_cast<ObjId>(*i));
      return status::kOk;
    case prop::kTemplateDir1: templateDir1_ = *s; return status::kOk;
    case prop::kTemplateDir2: templateDir2_ = *s; return status::kOk;
    case prop::kDisplay:
    case prop::kProgress: {
      bool display = num == prop::kDisplay;
      (display ? display_ : progress_) = *i;
      HostEvent e;
  e.kind = display ? HostEvent::Kind::DisplaySwitch : HostEvent::Kind::Progress;
      e.value = *i;
      record(std::move(e));
      return status::kOk;
    }
    case prop::kSelection: return t.doc->setSelection(*range);
    case prop::kTag: t.doc->paragraph(t.obj)->content.tag = *s; return status::kOk;
    case prop::kFormatLock: t.doc->paragraph(t.obj)->content.lock = *i; return status::kOk;
    case prop::kLabel: return menus_.setLabel(t.obj, *s);
    case prop::kNextItem: return menus_.moveBefore(t.context, t.obj, static_cast<ObjId>(*i));
    default: return status::kUnknownProperty;
  }
}

PropResult Editor::getProp(ObjId doc, ObjId obj, int32_t num) const {
  Target t;
  PropResult r;
  if ((r.status = resolve(doc, obj, t))) return r;
  if (!findSpec(t.kind, num)) {
    r.status = status::kUnknownProperty;
    return r;
  }
  return getOf(t, num);
}

int32_t Editor::setProp(ObjId doc, ObjId obj, int32_t num, const Value& value) {
  Target t;
  if (int32_t st = resolve(doc, obj, t)) return st;
  const PropSpec* spec = findSpec(t.kind, num);
  if (!spec) return status::kUnknownProperty;
  if (!spec->writable) return status::kReadOnly;
  return setOf(t, num, value);
}

int32_t Editor::getProps(ObjId doc, ObjId obj, std::vector<PropVal>& out) const {
  out.clear();
  Target t;
  if (int32_t st = resolve(doc, obj, t)) return st;
  for (const auto& spec : kProps)
    if (spec.kind == t.kind) out.push_back(PropVal{spec.num, "", getOf(t, spec.num).value});
  return status::kOk;
}

int32_t Editor::setProps(ObjId doc, ObjId obj, const std::vector<PropVal>& props,
                         std::vector<PropVal>* unhandled) {
  Target t;
  if (int32_t st = resolve(doc, obj, t)) return st;
  int32_t first = status::kOk;
  for (const auto& pv : props) {
    // Read-only entries of a list read from another object (a format's name)
    // are skipped rather than refused: applying a format's list is the point.
    const PropSpec* spec = pv.num ? findSpec(t.kind, pv.num) : nullptr;
    int32_t st = !spec ? status::kUnknownProperty : spec->writable ? setOf(t, pv.num, pv.value) : status::kOk;
    if (st == status::kUnknownProperty) {
      if (unhandled) unhandled->push_back(pv);
    } else if (st != status::kOk && first == status::kOk) {
      first = st;
    }
  }
  return first;
}

namespace {
template <typename T>
int32_t typed(const PropResult& r, T& out) {
  if (r.status) return r.status;
  const T* v = std::get_if<T>(&r.value);
  if (!v) return status::kBadType;
  out = *v;
  return status::kOk;
}
}  // namespace

int32_t Editor::getInt(ObjId doc, ObjId obj, int32_t num, int32_t& out) const {
  return typed(getProp(doc, obj, num), out);
}

int32_t Editor::getString(ObjId doc, ObjId obj, int32_t num, std::string& out) const {
  return typed(getProp(doc, obj, num), out);
}

int32_t Editor::getRange(ObjId doc, ObjId obj, int32_t num, TextRange& out) const {
  return typed(getProp(doc, obj, num), out);
}

}  // namespace vxhost
