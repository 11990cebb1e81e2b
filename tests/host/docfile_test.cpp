// The document file format: exact round trips of awkward and random
// content, one clear error for each malformed file, saving in place, the
// shipped examples; and the host's own reading of the level template and
// its outline display.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <random>
#include <string>

#include "docfile.h"
#include "document_editor.h"
#include "document_outline.h"
#include "process.h"

using namespace vxhost;

namespace {

void expectRoundTrip(const DocContent& c) {
  std::string text = formatDocument(c);
  DocContent back;
  DocFileError err;
  ASSERT_TRUE(parseDocument(text, back, err)) << "line " << err.line << ": " << err.reason << "\n" << text;
  EXPECT_EQ(back, c) << text;
  EXPECT_EQ(formatDocument(back), text);
}

// Awkward characters first, then random bytes (any but NUL).
TEST(DocFile, AwkwardAndRandomContentRoundTrips) {
  DocContent c;
  c.formats = {"1Level", "with space", "@at", "#hash", "trailing ", "tab\there", "back\\slash"};
  c.paras = {{"1Level", "plain", 0}, {"", "", 0}, {"Body", "tab\there\nnewline\r\\back", 0},
             {"@directive-like", "# not a comment", 0}, {"#comment-like", "@not a directive", 0},
             {"Body", "trailing blank ", 0}, {"Body", "  leading blanks", 0}, {"Body", "\x01\x1f\x7f control", 0},
             {"Body", "8-bit \xa9 \xe9\xff", 0}, {"Body", "\\x41 looks like an escape", 0}, {"Lock", "locked", 1},
             {"Lock", "negative lock", -7}, {"Lock", "ends in blank ", 2}, {"tag\twith\ttabs\\", "t", 0}};
  expectRoundTrip(c);
  std::mt19937 rng(20261206);
  auto randomText = [&](size_t maxLen) {
    std::string s(rng() % (maxLen + 1), ' ');
    for (char& ch : s) ch = static_cast<char>(1 + rng() % 255);
    return s;
  };
  for (int round = 0; round < 200 && !HasFatalFailure(); ++round) {
    c = {};
    for (int i = 0, n = static_cast<int>(rng() % 3); i < n; ++i)
      if (std::string name = randomText(8); !name.empty() && std::count(c.formats.begin(), c.formats.end(), name) == 0)
        c.formats.push_back(name);
    for (int i = 0, n = static_cast<int>(rng() % 6); i < n; ++i)
      c.paras.push_back({randomText(6), randomText(20), rng() % 4 == 0 ? static_cast<int32_t>(rng()) : 0});
    expectRoundTrip(c);
  }
}

// Windows line ends, blank lines, comments, a missing final line end, hex
// escapes in either case; a header alone is a document without paragraphs.
TEST(DocFile, LenientReading) {
  const std::pair<std::string, std::string> cases[] = {
      {"@vxdoc 1\r\n\r\n# note\r\n@format A\r\nA\tone\r\n\nA\ttwo", "A: one|two|"},
      {"@vxdoc 1\nBody\t\\x4A\\x4a\\x7e\\x7E\\x09\n", ": JJ~~\t|"},
      {"@vxdoc 1\n", ": "},
      // An editor's leftovers: a byte-order mark, blanks at line ends, an indented comment.
      {"\xEF\xBB\xBF@vxdoc 1 \n  # a note\n@format 1Level  \n1Level\tLoose\t588=1  \n", "1Level: Loose|"},
  };
  for (const auto& [text, expected] : cases) {
    DocContent c;
    DocFileError err;
    ASSERT_TRUE(parseDocument(text, c, err)) << err.reason;
    std::string got;
    for (const auto& f : c.formats) got += f;
    got += ": ";
    for (const auto& p : c.paras) got += p.text + "|";
    EXPECT_EQ(got, expected);
  }
}

TEST(DocFile, MalformedFilesNameLineAndReason) {
  const struct {
    std::string text;
    int line;
    std::string reason;
  } cases[] = {
      {"", 0, "empty file"},
      {"1Level\tTopic\n", 1, "not a document file"},
      {"@vxdoc 2\n", 1, "not a document file"},
      {"@vxdoc 1\nBody without a tab\n", 2, "expected a tab"},
      {"@vxdoc 1\n@format A\n@format A\n", 3, "declared twice"},
      {"@vxdoc 1\n@format \n", 2, "needs a name"},
      {"@vxdoc 1\n@format\n", 2, "needs a name"},
      {"@vxdoc 1\n@style X\n", 2, "unknown directive '@style'"},
      {"@vxdoc 1\n@bad\x1b[2J\n", 2, "unknown directive '@bad\\x1b[2J'"},  // shown inert
      {"@vxdoc 1\n\nBody\tbad \\q escape\n", 3, "unknown escape \\q"},
      {"@vxdoc 1\nBody\tends in \\\n", 2, "backslash at the end"},
      {"@vxdoc 1\nBody\t\\x4\n", 2, "two hexadecimal digits"},
      {"@vxdoc 1\nBody\t\\xg0\n", 2, "two hexadecimal digits"},
      {"@vxdoc 1\nBody\t\\x0G\n", 2, "two hexadecimal digits"},
      {"@vxdoc 1\nBody\t\\x00\n", 2, "NUL"},
      {std::string("@vxdoc 1\nBody\tra\0w\n", 19), 2, "NUL"},
      {"@vxdoc 1\nBody\ttext\t589=1\n", 2, "unknown attribute '589=1'"},
      {"@vxdoc 1\nBody\ttext\t588=abc\n", 2, "32-bit decimal"},
      {"@vxdoc 1\nBody\ttext\t588=\n", 2, "32-bit decimal"},
      {"@vxdoc 1\nBody\ttext\t588=4294967296\n", 2, "32-bit decimal"},
      {"@vxdoc 1\nBody\ttext\t588=1\tmore\n", 2, "more than one attribute"},
  };
  for (const auto& c : cases) {
    DocContent out;
    DocFileError err;
    EXPECT_FALSE(parseDocument(c.text, out, err)) << c.text;
    EXPECT_EQ(err.line, c.line) << c.text;
    EXPECT_NE(err.reason.find(c.reason), std::string::npos) << c.text << " -> " << err.reason;
  }
}

TEST(DocFile, LoadAndSaveFiles) {
  lindrel_test::TempDir dir;
  DocContent c{{"1Level"}, {{"1Level", "Topic", 0}, {"Body", "a\tb", 3}}}, back;
  std::string path = dir.file("doc.vx"), message;
  ASSERT_EQ(saveDocument(path, c, message), status::kOk) << message;
  EXPECT_EQ(lindrel_test::read_file(path), "@vxdoc 1\n@format 1Level\n1Level\tTopic\nBody\ta\\tb\t588=3\n");
  // Saving again replaces the file and leaves nothing else behind.
  c.paras.pop_back();
  ASSERT_EQ(saveDocument(path, c, message), status::kOk) << message;
  EXPECT_EQ(lindrel_test::dir_entries(dir.path()), std::vector<std::string>{"doc.vx"});
  ASSERT_EQ(loadDocument(path, back, message), status::kOk) << message;
  EXPECT_EQ(back, c);

  EXPECT_EQ(loadDocument(dir.path(), back, message), status::kNoFile);
  EXPECT_EQ(message, dir.path() + ": Is a directory");
  EXPECT_EQ(loadDocument("/proc/self/mem", back, message), status::kNoFile);  // opens, but cannot be read
  EXPECT_EQ(message, "/proc/self/mem: read error");
  std::string bad = dir.write("bad.vx", "@vxdoc 1\n@format A\nno tab\n");
  EXPECT_EQ(loadDocument(bad, back, message), status::kBadFile);
  EXPECT_EQ(message, bad + ":3: expected a tab between the tag and the text");
  EXPECT_EQ(saveDocument(dir.file("no/such/dir.vx"), c, message), status::kNoFile);
  EXPECT_NE(message.find("No such file"), std::string::npos) << message;

  // A saved file keeps the permissions of the one it replaces; a new one
  // gets those of any new file under the umask.
  struct stat st, fresh;
  ASSERT_EQ(chmod(path.c_str(), 0600), 0);
  mode_t mask = umask(022);
  ASSERT_EQ(saveDocument(path, c, message) + saveDocument(dir.file("fresh.vx"), c, message), status::kOk) << message;
  umask(mask);
  ASSERT_EQ(stat(path.c_str(), &st) + stat(dir.file("fresh.vx").c_str(), &fresh), 0);
  EXPECT_EQ((st.st_mode & 07777) * 010000 + (fresh.st_mode & 07777), 0600u * 010000 + 0644u);
}

const std::vector<std::string> kDefaults = {"1Level", "2Level", "3Level", "4Level", "5Level", "6Level", "7Level"};

}  // namespace
