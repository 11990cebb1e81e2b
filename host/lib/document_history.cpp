#include "document_history.h"

#include <algorithm>

namespace vxhost {

namespace {

bool same(const Paragraph& kept, const Paragraph& now) {
  return kept.id == now.id && kept.content == now.content;
}

bool sameFormats(const std::vector<ParagraphFormat>& a, const std::vector<ParagraphFormat>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const ParagraphFormat& x, const ParagraphFormat& y) { return x.id == y.id && x.name == y.name; });
}

// A paragraph as the history keeps it: identifier and content, no links.
Paragraph linkless(const Paragraph& p) { return Paragraph{p.id, 0, 0, p.content}; }

size_t textBytes(const std::vector<Paragraph>& run) {
  size_t n = 0;
  for (const Paragraph& p : run) n += p.content.text.size() + p.content.tag.size() + sizeof(Paragraph);
  return n;
}

}  // namespace

size_t History::Step::bytes() const { return textBytes(older) + textBytes(newer) + label.size(); }

History::Track History::start(const Document& doc) {
  Track t;
  for (const Paragraph* p : doc.paragraphs()) t.paras.push_back(linkless(*p));
  t.formats = doc.formats();
  t.selection = doc.selection();
  t.revision = doc.revision();
  t.savedRevision = doc.savedRevision();
  // A document just opened is its file, or a new one with nothing to lose
  // yet; one that changed on its way here is new work.
  t.state = ++serial_;
  t.savedState = doc.savedRevision() == doc.revision() ? t.state : kNoState;
  return t;
}

std::optional<History::Step> History::compare(const Track& track, const Document& doc) const {
  const std::vector<Paragraph>& copy = track.paras;
  size_t count = doc.paragraphCount();
  // The unchanged start, then the unchanged end short of it.
  size_t head = 0;
  ObjId first = doc.first();
  while (head < copy.size() && head < count && same(copy[head], *doc.paragraph(first))) {
    ++head;
    first = doc.paragraph(first)->next;
  }
  size_t tail = 0;
  for (ObjId last = doc.last(); tail < copy.size() - head && tail < count - head; ++tail) {
    if (!same(copy[copy.size() - 1 - tail], *doc.paragraph(last))) break;
    last = doc.paragraph(last)->prev;
  }
  std::vector<ParagraphFormat> formats = doc.formats();
  bool formatsChanged = !sameFormats(formats, track.formats);
  if (head + tail == copy.size() && head + tail == count && !formatsChanged) return std::nullopt;

  Step step;
  step.at = head;
  step.prev = head > 0 ? copy[head - 1].id : 0;
  step.older.assign(copy.begin() + static_cast<std::ptrdiff_t>(head),
                    copy.end() - static_cast<std::ptrdiff_t>(tail));
  for (ObjId id = first; step.newer.size() < count - head - tail; id = doc.paragraph(id)->next)
    step.newer.push_back(linkless(*doc.paragraph(id)));
  if (formatsChanged) {
    step.olderFormats = track.formats;
    step.newerFormats = std::move(formats);
  }
  step.selectionBefore = track.selection;
  step.selectionAfter = doc.selection();
  step.stateBefore = track.state;
  return step;
}

StepResult History::commit(const std::string& label) {
  StepResult result;
  std::vector<ObjId> open = editor_.documents();
  for (auto it = tracks_.begin(); it != tracks_.end();) {
    if (std::find(open.begin(), open.end(), it->first) == open.end()) {
      result.closed.push_back(it->first);
      it = tracks_.erase(it);
    } else {
      ++it;
    }
  }
  for (ObjId id : open) {
    const Document& doc = *editor_.document(id);
    auto found = tracks_.find(id);
    if (found == tracks_.end()) {
      tracks_.emplace(id, start(doc));
      result.opened.push_back(id);
      continue;
    }
    Track& t = found->second;
    // A save since the last step: the document is its file as it was then,
    // or as it is now, or (changed both before and after the save) neither.
    bool saved = doc.savedRevision() != t.savedRevision;
    uint64_t before = t.state;
    if (doc.revision() != t.revision) {
      if (std::optional<Step> step = compare(t, doc)) {
        step->label = label;
        step->stateAfter = ++serial_;
        result.paragraphs += std::max(step->older.size(), step->newer.size());
        result.formats = result.formats || step->olderFormats.has_value();
        record(t, std::move(*step));
      }
    }
    if (saved) {
      t.savedState = doc.savedRevision() == t.revision  ? before
                     : doc.savedRevision() == doc.revision() ? t.state
                                                             : kNoState;
      t.savedRevision = doc.savedRevision();
    }
    t.revision = doc.revision();
    t.selection = doc.selection();
  }
  return result;
}

void History::record(Track& t, Step step) {
  auto at = t.paras.begin() + static_cast<std::ptrdiff_t>(step.at);
  at = t.paras.erase(at, at + static_cast<std::ptrdiff_t>(step.older.size()));
  t.paras.insert(at, step.newer.begin(), step.newer.end());
  if (step.newerFormats) t.formats = *step.newerFormats;
  t.state = step.stateAfter;
  for (const Step& gone : t.redo) t.bytes -= gone.bytes();
  t.redo.clear();
  t.bytes += step.bytes();
  t.undo.push_back(std::move(step));
  while (!t.undo.empty() && (t.undo.size() > kMaxSteps || t.bytes > kMaxBytes)) {
    t.bytes -= t.undo.front().bytes();
    t.undo.pop_front();
  }
}

void History::apply(Track& t, Document& doc, const Step& step, bool forward) {
  const std::vector<Paragraph>& from = forward ? step.older : step.newer;
  const std::vector<Paragraph>& to = forward ? step.newer : step.older;
  doc.replaceRun(step.prev, from.size(), to);
  const auto& formats = forward ? step.newerFormats : step.olderFormats;
  if (formats) {
    doc.setFormats(*formats);
    t.formats = *formats;
  }
  auto at = t.paras.begin() + static_cast<std::ptrdiff_t>(step.at);
  at = t.paras.erase(at, at + static_cast<std::ptrdiff_t>(from.size()));
  t.paras.insert(at, to.begin(), to.end());
  doc.setSelection(forward ? step.selectionAfter : step.selectionBefore);
  t.selection = doc.selection();
  t.state = forward ? step.stateAfter : step.stateBefore;
  t.revision = doc.revision();
}

std::optional<History::Undone> History::travel(Document& doc, bool forward) {
  commit("edit");
  auto found = tracks_.find(doc.id());
  if (found == tracks_.end()) return std::nullopt;
  Track& t = found->second;
  if (forward ? t.redo.empty() : t.undo.empty()) return std::nullopt;
  Step step = forward ? std::move(t.redo.back()) : std::move(t.undo.back());
  forward ? t.redo.pop_back() : t.undo.pop_back();
  apply(t, doc, step, forward);
  Undone done{step.label, std::max(step.older.size(), step.newer.size())};
  forward ? t.undo.push_back(std::move(step)) : t.redo.push_back(std::move(step));
  return done;
}

std::optional<History::Undone> History::undo(Document& doc) { return travel(doc, false); }

std::optional<History::Undone> History::redo(Document& doc) { return travel(doc, true); }

bool History::modified(ObjId doc) const {
  auto found = tracks_.find(doc);
  return found != tracks_.end() && found->second.state != found->second.savedState;
}

}  // namespace vxhost
