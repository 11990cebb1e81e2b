// One open document of the stand-in host: a chain of paragraphs, the named
// paragraph formats, and the selection. Every operation costs O(1) or O(what it
// touches): paragraphs are found through a hash map and linked both ways.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "document_types.h"

namespace vxhost {

struct Paragraph {
  ObjId id = 0;
  ObjId prev = 0;
  ObjId next = 0;
  ParaContent content;
};

struct ParagraphFormat {
  ObjId id = 0;
  std::string name;
};

// What a cut or copy leaves on the clipboard: whole paragraphs, or a piece of
// text from inside one paragraph (then `paras` holds exactly that one piece).
struct Clip {
  std::vector<ParaContent> paras;
  bool wholeParagraphs = true;
};

class Document {
 public:
  // A document always has one paragraph at least: empty content gives one
  // empty paragraph with an empty tag.
  Document(ObjId id, IdAllocator& ids, std::string name, const DocContent& content);
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  ObjId id() const { return id_; }
  const std::string& name() const { return name_; }
  void setName(std::string name) { name_ = std::move(name); }
  const std::string& path() const { return path_; }
  void setPath(std::string path) { path_ = std::move(path); }
  // The two objects between the document and its first paragraph.
  ObjId flow() const { return flow_; }
  ObjId frame() const { return frame_; }

  ObjId first() const { return first_; }
  ObjId last() const { return last_; }
  size_t paragraphCount() const { return paras_.size(); }
  const Paragraph* paragraph(ObjId id) const;
  // Counts as a change (see revision()): the caller may write through it.
  Paragraph* paragraph(ObjId id);
  // Paragraph texts in chain order, for tests and displays.
  std::vector<const Paragraph*> paragraphs() const;

  ObjId findFormat(std::string_view name) const;
  const ParagraphFormat* format(ObjId id) const;
  ObjId addFormat(const std::string& name);  // finds or makes it
  int32_t removeFormat(ObjId id);

  const TextRange& selection() const { return selection_; }
  int32_t setSelection(const TextRange& range);

  // Inserts text at a location; each "\n" ends the paragraph there and starts
  // a new one with the same tag. `after` receives the location after the text.
  int32_t addText(const TextLoc& at, std::string_view text, TextLoc* after);
  // Removes one paragraph; refused for the only one.
  int32_t deleteParagraph(ObjId id);
  // Cut (remove = true), copy or clear of a range: whole paragraphs
  // ((P,0) to (Q,kEndOfParagraph)) or a piece of one paragraph's text.
  int32_t extract(const TextRange& range, bool remove, Clip* out);
  // Paste of a clip at an insertion point.
  int32_t insert(const TextLoc& at, const Clip& clip);
  // The text of a range as string items, each at most `chunk` bytes (0: one
  // item per paragraph); an empty paragraph gives none.
  int32_t textItems(const TextRange& range, size_t chunk, std::vector<TextItem>& out) const;

  DocContent content() const;

  // Grows with every change of paragraphs or formats (not of the selection),
  // so that a watcher compares the content only after a change.
  uint64_t revision() const { return revision_; }
  // The revision last written to the document's file (by Editor::save).
  uint64_t savedRevision() const { return savedRevision_; }
  void markSaved() { savedRevision_ = revision_; }

  // Undo and redo: the `count` paragraphs after `after` (0: from the first)
  // give way to `paras`, which keep the identifiers they carry. Those must
  // have been given out by this document and be unused now.
  void replaceRun(ObjId after, size_t count, const std::vector<Paragraph>& paras);
  // The formats in declaration order, with their identifiers.
  std::vector<ParagraphFormat> formats() const;
  void setFormats(const std::vector<ParagraphFormat>& formats);

 private:
  // before 0: at the end; id 0: a new identifier.
  ObjId insertBefore(ObjId before, ParaContent content, ObjId id = 0);
  void erase(ObjId id);
  ObjId split(ObjId id, int32_t offset);
  void insertChars(Paragraph& p, int32_t offset, std::string_view text);
  bool ordered(ObjId from, ObjId to) const;
  // Moves selection ends that lie in `gone` at or after `from` to `to`,
  // shifted by their distance from `from`.
  void moveSelection(ObjId gone, int32_t from, TextLoc to);

  ObjId id_;
  IdAllocator& ids_;
  std::string name_;
  std::string path_;
  ObjId flow_;
  ObjId frame_;
  std::unordered_map<ObjId, Paragraph> paras_;
  ObjId first_ = 0;
  ObjId last_ = 0;
  std::unordered_map<ObjId, ParagraphFormat> formats_;
  std::unordered_map<std::string, ObjId> formatByName_;
  std::vector<ObjId> formatOrder_;
  TextRange selection_;
  uint64_t revision_ = 0;
  uint64_t savedRevision_ = 0;
};

// The character position an offset stands for in a text of `length` bytes,
// or -1 when it lies outside. Both end markers stand for the end of the text.
int32_t resolveOffset(int32_t offset, size_t length);

}  // namespace vxhost
