// What each step did to the open documents, and undo and redo of it.
//
// The history keeps a copy of every open document as of the last step and,
// after each step, compares the document with it (only when the document's
// revision moved): the run of paragraphs between the unchanged start and the
// unchanged end is what the step changed. A step stores that run before and
// after, with the identifiers the paragraphs had, the formats when they
// changed, and the selection on both sides, so that undo and redo give back
// exactly the document that was, selection included.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "document_editor.h"

namespace vxhost {

// What one step changed.
struct StepResult {
  size_t paragraphs = 0;  // paragraphs changed, summed over the documents
  bool formats = false;   // a document's list of formats changed
  std::vector<ObjId> opened, closed;
  bool changed() const { return paragraphs > 0 || formats || !opened.empty() || !closed.empty(); }
};

class History {
 public:
  // Per document; beyond either the oldest steps are forgotten.
  static constexpr size_t kMaxSteps = 1000;
  static constexpr size_t kMaxBytes = size_t{64} << 20;  // paragraph text kept for undo

  explicit History(const Editor& editor) : editor_(editor) {}
  History(const History&) = delete;
  History& operator=(const History&) = delete;

  // Records what changed in each open document since the last call, as one
  // step called `label` in the document's own history.
  StepResult commit(const std::string& label);

  struct Undone {
    std::string label;  // of the step undone or redone
    size_t paragraphs = 0;
  };
  // Takes document `doc` back to before its last step, or forward again;
  // nothing when there is no such step. Changes not yet committed are
  // committed first, as a step of their own.
  std::optional<Undone> undo(Document& doc);
  std::optional<Undone> redo(Document& doc);

  // Whether the document differs from what was last saved to its file.
  bool modified(ObjId doc) const;

 private:
  struct Step {
    std::string label;
    size_t at = 0;     // index of the run's first paragraph
    ObjId prev = 0;    // the paragraph before the run; 0 at the start
    std::vector<Paragraph> older, newer;  // the run before and after the step
    std::optional<std::vector<ParagraphFormat>> olderFormats, newerFormats;
    TextRange selectionBefore, selectionAfter;
    uint64_t stateBefore = 0, stateAfter = 0;
    size_t bytes() const;
  };
  struct Track {
    std::vector<Paragraph> paras;  // the document as of the last step
    std::vector<ParagraphFormat> formats;
    TextRange selection;
    uint64_t revision = 0, savedRevision = 0;
    uint64_t state = 0, savedState = 0;  // states are numbered by the steps that made them
    std::deque<Step> undo;
    std::vector<Step> redo;
    size_t bytes = 0;
  };
  static constexpr uint64_t kNoState = ~uint64_t{0};

  Track start(const Document& doc);
  // The step that turned the track's copy into the document, if any.
  std::optional<Step> compare(const Track& track, const Document& doc) const;
  // Keeps a step just made, and the document's copy as it now is.
  void record(Track& track, Step step);
  // Applies one side of a step to the document and to its copy.
  void apply(Track& track, Document& doc, const Step& step, bool forward);
  std::optional<Undone> travel(Document& doc, bool forward);

  const Editor& editor_;
  std::map<ObjId, Track> tracks_;
  uint64_t serial_ = 0;
};

}  // namespace vxhost
