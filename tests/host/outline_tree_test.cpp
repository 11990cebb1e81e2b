// The host's own reading of the level template and its outline display.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "docfile.h"
#include "runtime_fixture.h"
#include "document_outline.h"

using namespace vxhost;

namespace {

const std::string kExamples = std::string(LINDREL_SOURCE_DIR) + "/examples";
const std::vector<std::string> kDefaults = {"1Level", "2Level", "3Level", "4Level", "5Level", "6Level", "7Level"};

TEST(OutlineLevels, SearchedInBothTemplateDirectoriesThenDefaults) {
  lindrel_test::TempDir temp;
  const std::string& dir = temp.path();
  DocContent custom;
  custom.paras = {{"Body", "Chapter", 0}, {"Body", "", 0}, {"Body", "Section ", 0}};
  std::string message;
  ASSERT_EQ(saveDocument(dir + "/OutlineLevels.vx", custom, message), status::kOk) << message;

  Editor ed;
  EXPECT_EQ(outlineLevels(ed), kDefaults);  // no directories known
  ed.setProp(0, 0, prop::kTemplateDir1, std::string("/nonexistent"));
  ed.setProp(0, 0, prop::kTemplateDir2, dir);
  // Found in the second place; an empty paragraph names no level, a trailing
  // blank is part of the name.
  EXPECT_EQ(outlineLevels(ed), (std::vector<std::string>{"Chapter", "Section "}));
  ed.setProp(0, 0, prop::kTemplateDir1, kExamples);
  EXPECT_EQ(outlineLevels(ed), kDefaults);  // the shipped template names the defaults

}

TEST(OutlineTree, IndentsByLevelAndMarksTheSelection) {
  DocContent c;
  c.paras = {{"1Level", "Plan", 0}, {"2Level", "Tasks\tnow", 0}, {"Body", "a note\nover two lines", 0},
             {"3Level", "Detail", 0}, {"1level", "not a level: case counts", 0},
             {"Odd\x1b", "a terminal escape \x1b[2J\r stays inert", 0}};
  Editor ed;
  Document* d = ed.document(ed.addDocument(c, "t", "", true));
  ObjId second = d->paragraphs()[1]->id;
  ASSERT_EQ(d->setSelection({{second, 2}, {d->last(), 0}}), status::kOk);
  EXPECT_EQ(outlineTree(*d, kDefaults),
            "  Plan\n"
            ">   Tasks\\tnow\n"
            "  [Body] a note\\nover two lines\n"
            "      Detail\n"
            "  [1level] not a level: case counts\n"
            "  [Odd\\x1b] a terminal escape \\x1b[2J\\x0d stays inert\n");
}

}  // namespace
