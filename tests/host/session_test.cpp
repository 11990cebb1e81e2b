// The editor session: session properties, opening and closing documents and
// templates, paragraph formats applied through property lists, and the
// recorded requests.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "docfile.h"
#include "runtime_fixture.h"
#include "document_editor.h"

using namespace vxhost;

namespace {

const std::string kExamples = std::string(LINDREL_SOURCE_DIR) + "/examples";

std::vector<PropVal> params(std::initializer_list<std::pair<int32_t, int32_t>> entries) {
  std::vector<PropVal> out;
  for (auto [num, value] : entries) out.push_back(PropVal{num, "", value});
  return out;
}

TEST(Session, PropertiesOfTheSession) {
  Editor ed;
  std::string dir;
  ASSERT_EQ(ed.setProp(0, 0, prop::kTemplateDir1, std::string("/a/b")), status::kOk);
  ASSERT_EQ(ed.getString(0, 0, prop::kTemplateDir1, dir), status::kOk);
  EXPECT_EQ(dir, "/a/b");
  EXPECT_EQ(ed.setProp(0, 0, prop::kTemplateDir2, int32_t{3}), status::kBadType);
  int32_t v = 0;
  EXPECT_EQ(ed.getInt(0, 0, prop::kTemplateDir2, v), status::kBadType);

  ASSERT_EQ(ed.setProp(0, 0, prop::kDisplay, int32_t{0}), status::kOk);
  EXPECT_EQ(ed.display(), 0);
  ASSERT_EQ(ed.setProp(0, 0, prop::kProgress, int32_t{40}), status::kOk);
  ASSERT_EQ(ed.events().size(), 2u);
  EXPECT_EQ(ed.events()[0].kind, HostEvent::Kind::DisplaySwitch);
  EXPECT_EQ(ed.events()[1].kind, HostEvent::Kind::Progress);
  EXPECT_EQ(ed.events()[1].value, 40);
  ed.notification(3, 42, 1);
  EXPECT_TRUE(ed.wantsNotification(3, 42));
  EXPECT_FALSE(ed.wantsNotification(4, 42));  // asked per client
  ed.notification(3, 42, 0);
  EXPECT_FALSE(ed.wantsNotification(3, 42));

  // Nothing open: no active document; properties the model lacks are left
  // to the caller's own store.
  ASSERT_EQ(ed.getInt(0, 0, prop::kActiveDocument, v), status::kOk);
  EXPECT_EQ(v, 0);
  EXPECT_EQ(ed.getProp(0, 0, 4711).status, status::kUnknownProperty);
  EXPECT_EQ(ed.setProp(0, 0, prop::kActiveDocument, int32_t{999}), status::kBadValue);
  EXPECT_EQ(ed.getProp(999, 1, prop::kTag).status, status::kBadDocument);
}

TEST(Session, OpenCloseAndActiveDocument) {
  Editor ed;
  OpenResult a = ed.open(kExamples + "/project-plan.vx", {});
  ASSERT_EQ(a.status, status::kOk) << a.message;
  EXPECT_EQ(ed.activeDocument(), a.doc);
  EXPECT_EQ(ed.document(a.doc)->name(), "project-plan.vx");

  // The level template is opened without taking the active place.
  OpenResult levels = ed.open(kExamples + "/OutlineLevels.vx",
                              params({{5, 0}, {2, 0}, {3, 1}, {17, 7}, {23, 1}, {28, 1}, {22, 1}, {25, 1}, {19, 1}, {20, 1}}));
  ASSERT_EQ(levels.status, status::kOk) << levels.message;
  EXPECT_EQ(ed.activeDocument(), a.doc);
  ASSERT_EQ(ed.close(levels.doc), status::kOk);
  EXPECT_EQ(ed.close(levels.doc), status::kBadDocument);

  // A second open of the same file (by another spelling) is the same document.
  OpenResult again = ed.open(kExamples + "/../examples/project-plan.vx", {});
  EXPECT_EQ(again.doc, a.doc);

  OpenResult b = ed.open(kExamples + "/book.vx", {});
  ASSERT_EQ(b.status, status::kOk);
  EXPECT_EQ(ed.activeDocument(), b.doc);
  ASSERT_EQ(ed.setProp(0, 0, prop::kActiveDocument, static_cast<int32_t>(a.doc)), status::kOk);
  EXPECT_EQ(ed.activeDocument(), a.doc);
  ASSERT_EQ(ed.close(a.doc), status::kOk);
  EXPECT_EQ(ed.activeDocument(), b.doc);  // back to the one used before

  OpenResult missing = ed.open(kExamples + "/nothing-here.vx", {});
  EXPECT_EQ(missing.status, status::kNoFile);
  EXPECT_EQ(missing.doc, 0u);
  EXPECT_NE(missing.message.find("nothing-here.vx"), std::string::npos);
}

TEST(Session, NewDocumentFromTemplateIsUntitledAndSeparate) {
  lindrel_test::TempDir temp;
  const std::string& dir = temp.path();
  Editor ed;
  OpenResult t1 = ed.open(kExamples + "/Outline.vx", params({{29, 1}}));
  OpenResult t2 = ed.open(kExamples + "/Outline.vx", params({{29, 1}}));
  ASSERT_EQ(t1.status, status::kOk) << t1.message;
  ASSERT_NE(t1.doc, t2.doc);  // two requests, two documents
  Document* d1 = ed.document(t1.doc);
  EXPECT_EQ(d1->name(), "Untitled1");
  EXPECT_EQ(ed.document(t2.doc)->name(), "Untitled2");
  EXPECT_TRUE(d1->path().empty());
  EXPECT_EQ(d1->paragraphs().front()->content.text, "Topic");

  std::string message;
  EXPECT_EQ(ed.save(t1.doc, "", &message), status::kBadValue);  // no file yet
  ASSERT_EQ(ed.save(t1.doc, dir + "/mine.vx", &message), status::kOk) << message;
  ASSERT_EQ(ed.save(t1.doc, "", &message), status::kOk) << message;  // now it has one
  EXPECT_EQ(d1->name(), "mine.vx");
  EXPECT_EQ(ed.open(dir + "/mine.vx", {}).doc, t1.doc);
  DocContent saved;
  ASSERT_EQ(loadDocument(dir + "/mine.vx", saved, message), status::kOk);
  EXPECT_EQ(saved, d1->content());
}

TEST(Session, MalformedFileIsNotOpened) {
  char path[] = "/tmp/session_bad.XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(write(fd, "@vxdoc 1\n\\q\tx\n", 14), 14);
  close(fd);
  Editor ed;
  OpenResult r = ed.open(path, {});
  unlink(path);
  EXPECT_EQ(r.status, status::kBadFile);
  EXPECT_EQ(r.message, std::string(path) + ":2: unknown escape \\q");
  EXPECT_EQ(ed.activeDocument(), 0u);
}

// The way a client gives a paragraph a level: find the format by name, check
// property 588, read the format's properties and set them on the paragraph.
TEST(Session, FormatPropertyListAppliedToParagraphChangesItsTag) {
  Editor ed;
  OpenResult r = ed.open(kExamples + "/book.vx", {});
  ASSERT_EQ(r.status, status::kOk);
  Document* d = ed.document(r.doc);
  ObjId para = d->first();
  ObjId format = 0;
  ASSERT_EQ(ed.namedObject(r.doc, objtype::kParagraphFormat, "3Level", format), status::kOk);
  int32_t lock = -1;
  ASSERT_EQ(ed.getInt(r.doc, para, prop::kFormatLock, lock), status::kOk);
  EXPECT_EQ(lock, 0);
  std::vector<PropVal> props;
  ASSERT_EQ(ed.getProps(r.doc, format, props), status::kOk);
  ASSERT_FALSE(props.empty());
  std::vector<PropVal> unhandled;
  ASSERT_EQ(ed.setProps(r.doc, para, props, &unhandled), status::kOk);
  EXPECT_TRUE(unhandled.empty());
  EXPECT_EQ(d->paragraph(para)->content.tag, "3Level");

  ObjId none = 1;
  EXPECT_EQ(ed.namedObject(r.doc, objtype::kParagraphFormat, "8Level", none), status::kNoSuchName);
  EXPECT_EQ(none, 0u);
  EXPECT_EQ(ed.namedObject(r.doc, objtype::kParagraphFormat, "", none), status::kNoSuchName);
  // Entries the model does not know are handed back, the known ones still apply.
  ASSERT_EQ(ed.setProps(r.doc, para, {PropVal{4711, "", int32_t{1}}, PropVal{prop::kTag, "", std::string("Body")}},
                        &unhandled),
            status::kOk);
  ASSERT_EQ(unhandled.size(), 1u);
  EXPECT_EQ(unhandled[0].num, 4711);
  EXPECT_EQ(d->paragraph(para)->content.tag, "Body");

  // A paragraph's own list names read-only links; applying it elsewhere only
  // takes what can be set.
  ASSERT_EQ(ed.getProps(r.doc, d->last(), props), status::kOk);
  ASSERT_EQ(ed.setProps(r.doc, para, props), status::kOk);
  EXPECT_EQ(d->paragraph(para)->content.tag, d->paragraph(d->last())->content.tag);
  EXPECT_EQ(d->paragraph(para)->next, d->paragraphs()[1]->id);

  ObjId made = 0;
  ASSERT_EQ(ed.newNamedObject(r.doc, objtype::kParagraphFormat, "Quote", made), status::kOk);
  ASSERT_EQ(ed.deleteObject(r.doc, made), status::kOk);
  EXPECT_EQ(ed.namedObject(r.doc, objtype::kParagraphFormat, "Quote", made), status::kNoSuchName);
}

}  // namespace
