// The converter's option table against what it is the one source of: the parser, and the option
// lists of the README and the manual page, which are written by hand and checked here.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "converter/EncoderOptions.h"
#include "converter/OptionTable.h"

namespace convertertest {
namespace {

using kodavert::Family;
using kodavert::OptionRow;
using Names = std::set<std::string>;

std::string Content(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

Names Matches(const std::string& text, const std::regex& pattern) {
  Names names;
  for (auto match = std::sregex_iterator(text.begin(), text.end(), pattern); match != std::sregex_iterator(); ++match)
    names.insert((*match)[1]);
  return names;
}

// Options are named in code spans: `-ss S`, `-trellis -aic`.
Names ReadmeNames() {
  std::string spans;
  for (const std::string& span : Matches(Content(QB_CONVERTER_DIR "/README.md"), std::regex("`([^`\n]+)`")))
    spans += " " + span;
  return Matches(spans, std::regex(R"((?:^|[\s(])(--?[0-9]*[A-Za-z][A-Za-z0-9_]*(?:[-:][A-Za-z][A-Za-z0-9_]*)*))"));
}

// Options are written with roff's dash, \-ss, after font changes such as \fB.
Names ManualNames() {
  const std::string page =
      std::regex_replace(Content(QB_CONVERTER_DIR "/kodavert.dll.1.in"), std::regex(R"(\\f[BIRP])"), " ");
  Names names;
  for (const std::string& name : Matches(
           page,
           std::regex(
               R"((?:^|[^A-Za-z0-9])((?:\\-){1,2}[0-9]*[A-Za-z][A-Za-z0-9_]*(?:(?:\\-|:)[A-Za-z][A-Za-z0-9_]*)*))")))
    names.insert(std::regex_replace(name, std::regex(R"(\\-)"), "-"));
  return names;
}

Names TableNames() {
  Names names;
  for (const OptionRow& row : kodavert::OptionTable()) names.insert(std::string("-") + row.name);
  return names;
}

std::string Difference(const Names& a, const Names& b) {
  std::string missing;
  for (const std::string& name : a)
    if (!b.count(name)) missing += " " + name;
  return missing;
}

struct Document {
  const char* what;
  Names (*names)();
};
const Document kDocuments[] = {{"README", ReadmeNames}, {"manual page", ManualNames}};

void PrintTo(const Document& document, std::ostream* os) { *os << document.what; }

class DocumentTest : public ::testing::TestWithParam<Document> {};

TEST_P(DocumentTest, NamesTheTableOptionsAndNoOther) {
  const Names named = GetParam().names();
  EXPECT_EQ(Difference(named, TableNames()), "") << "named, but not in the table";
  EXPECT_EQ(Difference(TableNames(), named), "") << "in the table, but not named";
}

INSTANTIATE_TEST_SUITE_P(Documents, DocumentTest, ::testing::ValuesIn(kDocuments), [](const auto& info) {
  return std::string(info.param.what) == "README" ? "Readme" : "Manual";
});

// What each row must be, whatever its family.
TEST(OptionTableTest, EveryRowIsWholeAndNamedOnce) {
  Names seen;
  for (const OptionRow& row : kodavert::OptionTable()) {
    SCOPED_TRACE(row.name);
    EXPECT_TRUE(seen.insert(row.name).second) << "named twice";
    EXPECT_NE(std::string(row.help), "");
    EXPECT_EQ(std::string(row.argument).empty(), !row.takesValue);
    if (row.family != Family::Own) {
      EXPECT_EQ(row.set, nullptr);
    }
    // An encoder's option is one that today's encoders or muxers really have.
    if (row.family == Family::Encoder) {
      EXPECT_TRUE(kodavert::IsCodecOption(row.name));
    }
  }
}

// Values at the edges of what an own option takes.
struct Value {
  const char* option;
  const char* value;
  bool taken;
};
const Value kValues[] = {
    {"-qscale", "255", true},       {"-qscale", "256", false},
    {"-qscale", "0", false},        {"-aq", "0", true},
    {"-aq", "-1", false},           {"-ab", "0", false},
    {"-ab", "64k", true},           {"-metadata", "key=value", true},
    {"-metadata", "=value", false}, {"-metadata", "key", false},
};

TEST(OptionTableTest, OwnValuesAtTheirEdges) {
  for (const auto& [option, value, taken] : kValues) {
    const char* argv[] = {"kodavert.dll", "-i", "in.flv", option, value, "out.avi"};
    const auto parsed = kodavert::ParseCommandLine(6, argv);
    EXPECT_EQ(parsed.options.has_value(), taken) << option << " " << value << ": " << parsed.error;
  }
}

}  // namespace
}  // namespace convertertest
