#include <gtest/gtest.h>
#include <unistd.h>

#include <cfloat>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "instruments/base/PropertyFile.h"
#include "runtime/Exception.h"
#include "system/Locale.h"
#include "tests/instruments/base/PropertyFileTestSubject.h"

namespace tintoral::test {
namespace {

namespace fs = std::filesystem;

// A scratch folder of its own for every test.
class PropertyFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() / ("tintoral-propfile-" + std::to_string(getpid()) + "-" + info->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

  std::string Write(const std::string& bytes, const std::string& name = "in.txt") {
    const std::string path = PathOf(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  std::string Read(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  std::string Saved(const TPropertyFileSubject& subject, bool saveAll = false) {
    const std::string path = PathOf("out.txt");
    SavePropertiesToFile(subject, path, saveAll);
    return Read(path);
  }
  // Loads the bytes into the subject, counting the update bracket.
  void Load(TPropertyFileSubject& subject, const std::string& bytes) {
    LoadPropertiesFromFile(subject, Write(bytes), Hooks());
  }
  TPropertyUpdateHooks Hooks() {
    return {[this] { log += "begin;"; }, [this] { log += "end;"; }};
  }
  // The message of the error loading raises.
  std::string LoadError(TPropertyFileSubject& subject, const std::string& bytes) {
    try {
      Load(subject, bytes);
    } catch (const Exception& e) {
      return e.Message();
    }
    return "no error";
  }

  std::string log;
  ScopedDecimalSeparator point_{'.'};

 private:
  fs::path folder_;
};

constexpr char kDefaultFile[] =
    "File Type = TPropertyFileSubject\r\n"
    "Count = 7\r\n"
    "Ratio = 2.5\r\n"
    "Precise = 0.125\r\n"
    "Caption = Hola\r\n"
    "Active = 1\r\n"
    "Letter = 65\r\n"
    "BorderStyle = 2\r\n"
    "Options = 5\r\n"
    "Color = -16777201\r\n"
    "Font.Charset = 1\r\n"
    "Font.Color = -16777208\r\n"
    "Font.Height = -11\r\n"
    "Font.Name = MS Sans Serif\r\n"
    "Font.Style = 0\r\n";

TEST_F(PropertyFileTest, SaveWritesTheExactBytes) {
  TPropertyFileSubject subject;
  EXPECT_EQ(Saved(subject), kDefaultFile);
}

TEST_F(PropertyFileTest, SaveAllAddsTheCommonPropertiesButNeverName) {
  TPropertyFileSubject subject;
  const std::string all = Saved(subject, true);
  EXPECT_EQ(all.find("\nName = "), std::string::npos);
  EXPECT_EQ(all.substr(0, all.find("Count = ")),
            "File Type = TPropertyFileSubject\r\nLeft = 10\r\nTop = 20\r\nWidth = 30\r\nHeight = 40\r\n"
            "Tag = 0\r\nVisible = 1\r\n");
  EXPECT_NE(all.find("Font.Name = MS Sans Serif\r\n"), std::string::npos) << "only the full name is excluded";
}

TEST_F(PropertyFileTest, SaveFollowsHeldObjectsAndCutsLongLines) {
  TPropertyFileSubject subject, other;
  subject.partner = &other;
  other.partner = &subject;  // a cycle: each object is entered once per path
  subject.caption = std::string(300, 'x');
  other.count = 99;
  const std::string text = Saved(subject);
  EXPECT_NE(text.find("\r\nCaption = " + std::string(245, 'x') + "\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nPartner.Count = 99\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nPartner.Font.Name = MS Sans Serif\r\n"), std::string::npos);
  EXPECT_EQ(text.find("Partner.Partner"), std::string::npos);

  subject.partner = &subject;
  EXPECT_EQ(Saved(subject).find("Partner."), std::string::npos);
}

TEST_F(PropertyFileTest, RoundTripRestoresEveryWrittenProperty) {
  TPropertyFileSubject source;
  source.count = -42;
  source.ratio = 1.0 / 3.0;
  source.precise = -1.5e-7L;
  source.caption = "Versi\xF3n 1";
  source.active = false;
  source.letter = '\xE9';
  source.borderStyle = ibsRaised;
  source.options = 6;
  source.color = RGB(1, 2, 3);
  source.font.SetName("Arial");
  source.font.SetHeight(-20);
  source.font.SetStyle(3);
  source.left = 111;
  source.name = "Other";
  const std::string path = PathOf("round.txt");
  SavePropertiesToFile(source, path, false);

  TPropertyFileSubject target;
  LoadPropertiesFromFile(target, path, Hooks());
  EXPECT_EQ(log, "begin;end;");
  EXPECT_EQ(target.count, -42);
  EXPECT_EQ(target.ratio, 1.0 / 3.0) << "as many digits as bring the double back";
  EXPECT_EQ(target.precise, -1.5e-7L);
  EXPECT_EQ(target.caption, "Versi\xF3n 1");
  EXPECT_FALSE(target.active);
  EXPECT_EQ(target.letter, '\xE9');
  EXPECT_EQ(target.borderStyle, ibsRaised);
  EXPECT_EQ(target.options, 6);
  EXPECT_EQ(target.color, RGB(1, 2, 3));
  EXPECT_EQ(target.font.Name(), "Arial");
  EXPECT_EQ(target.font.Height(), -20);
  EXPECT_EQ(target.font.Style(), 3);
  EXPECT_EQ(target.left, 10) << "not written without saveAll";
  EXPECT_EQ(target.name, "Subject1");
}

TEST_F(PropertyFileTest, EveryFloatLoadsBackEqual) {
  struct Case {
    long double value;
    const char* line;  // as saved, in the double property
  };
  const Case cases[] = {
      {2.5, "Ratio = 2.5"},  // 15 digits are enough: written as before
      {DBL_MAX, "Ratio = 1.7976931348623157E308"},
      {-DBL_MAX, "Ratio = -1.7976931348623157E308"},
      {0.1 + 0.2, "Ratio = 0.30000000000000004"},
      {DBL_TRUE_MIN, "Ratio = 4.94065645841247E-324"},  // the nearest double already
      {HUGE_VALL, "Ratio = INF"},
      {-HUGE_VALL, "Ratio = -INF"},
  };
  for (const Case& c : cases) {
    TPropertyFileSubject source, target;
    source.ratio = static_cast<double>(c.value);
    source.precise = c.value == 2.5 ? LDBL_MAX : c.value / 3;
    const std::string text = Saved(source);
    EXPECT_NE(text.find(std::string("\r\n") + c.line + "\r\n"), std::string::npos) << c.line;
    Load(target, text);
    EXPECT_EQ(target.ratio, source.ratio) << c.line;
    EXPECT_EQ(target.precise, source.precise) << c.line;
  }
  TPropertyFileSubject source, target;
  source.ratio = NAN;
  Load(target, Saved(source));
  EXPECT_TRUE(std::isnan(target.ratio));
}

TEST_F(PropertyFileTest, FloatsLoadWithEitherDecimalSeparator) {
  TPropertyFileSubject subject;
  Load(subject, "Ratio = 1,25\r\nPrecise = 0.5\r\n");
  EXPECT_EQ(subject.ratio, 1.25);
  EXPECT_EQ(subject.precise, 0.5L);
  {
    ScopedDecimalSeparator comma(',');
    EXPECT_NE(Saved(subject).find("\r\nRatio = 1,25\r\n"), std::string::npos);
    Load(subject, "Ratio = 3.75\r\nPrecise = 0,25\r\n");
    EXPECT_EQ(subject.ratio, 3.75);
    EXPECT_EQ(subject.precise, 0.25L);
    EXPECT_EQ(LoadError(subject, "Ratio = 1.234,5"),
              "Error Loading Properties - '1,234,5' is not a valid floating point value");
  }
  EXPECT_EQ(LoadError(subject, "Ratio = 1,234.5"),
            "Error Loading Properties - '1.234.5' is not a valid floating point value")
      << "a thousands separator is not understood";
}

TEST_F(PropertyFileTest, NamesMatchWithoutRegardToCaseAndBlanks) {
  TPropertyFileSubject subject;
  Load(subject, "count=12\nFONT.COLOR   =\t255\rcaption =   con blancos  \r\n");
  EXPECT_EQ(subject.count, 12);
  EXPECT_EQ(subject.font.Color(), 255);
  EXPECT_EQ(subject.caption, "con blancos") << "blanks around the value are lost";
}

TEST_F(PropertyFileTest, TheFirstOfTwoLinesWins) {
  TPropertyFileSubject subject;
  Load(subject, "Count = 1\r\nCount = 2\r\nPartner.Count = 3\r\n");
  EXPECT_EQ(subject.count, 1);
  subject.partner = &subject;
  Load(subject, "Count = 4\r\nCount = 5\r\n");
  EXPECT_EQ(subject.count, 4) << "an object holding itself is not entered again";
}

TEST_F(PropertyFileTest, LinesThatMatchNothingAreIgnored) {
  TPropertyFileSubject subject;
  const std::string junk = std::string("\0\x01\xFF=\xFE\r\r\n", 8) + std::string(100000, '\x80') + "\n";
  Load(subject,
       "File Type = TSomethingElse\r\n"
       "no equals sign\r\n"
       "Unknown = 5\r\n"
       "Name = Renamed\r\n"
       "Big = 77\r\n"
       "Value = y\r\n"
       "OnChange = Handler\r\n"
       "ReadOnly = 9\r\n"
       "Hidden = 8\r\n"
       "= 3\r\n" +
           junk + "Caption = " + std::string(100000, 'c') + "\r\nCount = 8");
  EXPECT_EQ(log, "begin;end;");
  EXPECT_EQ(subject.count, 8) << "another class's file applies by name, the last line needs no line end";
  EXPECT_EQ(subject.caption.size(), 100000u) << "loading does not cut";
  EXPECT_EQ(subject.name, "Renamed") << "Name is only excluded from saving";
  EXPECT_EQ(subject.big, 1);
  EXPECT_EQ(subject.value.ToString(), "x");
  EXPECT_EQ(subject.readOnly, 4);
  EXPECT_EQ(subject.hidden, 3) << "a property that is not stored is not loaded";

  TPropertyFileSubject untouched;
  Load(untouched, "");
  EXPECT_EQ(Saved(untouched), kDefaultFile);
}

TEST_F(PropertyFileTest, ABadValueStopsLoadingAndClosesTheBracket) {
  TPropertyFileSubject subject;
  EXPECT_EQ(LoadError(subject, "Color = 255\r\nLetter = x\r\nCaption = kept\r\nCount = 5\r\n"),
            "Error Loading Properties - 'x' is not a valid integer value");
  EXPECT_EQ(log, "begin;end;");
  EXPECT_EQ(subject.count, 5) << "properties before the failing one keep their new values";
  EXPECT_EQ(subject.caption, "kept");
  EXPECT_EQ(subject.color, clBtnFace) << "properties after it are not reached";

  EXPECT_EQ(LoadError(subject, "Ratio = 1e400"),
            "Error Loading Properties - Value 1e400 is out of range for property 'Ratio'");
  EXPECT_EQ(LoadError(subject, "Font.Style = 16"),
            "Error Loading Properties - Value 16 is out of range for property 'Font.Style'");
  EXPECT_EQ(LoadError(subject, "BorderStyle = 3"),
            "Error Loading Properties - Value 3 is out of range for property 'BorderStyle'");
  EXPECT_EQ(LoadError(subject, "Active = -1"),
            "Error Loading Properties - Value -1 is out of range for property 'Active'");
  EXPECT_EQ(LoadError(subject, "Count = 99999999999"),
            "Error Loading Properties - '99999999999' is not a valid integer value");
  EXPECT_EQ(subject.borderStyle, ibsLowered);
  EXPECT_EQ(subject.font.Style(), 0);
}

TEST_F(PropertyFileTest, FilesThatCannotBeReadOrWrittenAreErrors) {
  TPropertyFileSubject subject;
  try {
    LoadPropertiesFromFile(subject, PathOf("missing.txt"), Hooks());
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message().rfind("Error Loading Properties - Cannot open file \"" + PathOf("missing.txt") + "\"", 0), 0u)
        << e.Message();
  }
  EXPECT_EQ(log, "") << "nothing is applied when the file cannot be read";

  const std::string unwritable = PathOf("no/such/folder.txt");
  try {
    SavePropertiesToFile(subject, unwritable, false);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Error Saving Properties - Cannot save \"" + unwritable + "\": No such file or directory");
  }
}

TEST(PropertyKind, FindsTheFirstSettablePropertyByItsDottedName) {
  TPropertyFileSubject subject;
  EXPECT_EQ(GetPropertyKind(subject, "ratio"), tkFloat);
  EXPECT_EQ(GetPropertyKind(subject, "FONT.COLOR"), tkInteger);
  EXPECT_EQ(GetPropertyKind(subject, "Font.Name"), tkLString);
  EXPECT_EQ(GetPropertyKind(subject, "Options"), tkSet);
  EXPECT_EQ(GetPropertyKind(subject, "Active"), tkEnumeration);
  EXPECT_EQ(GetPropertyKind(subject, "Letter"), tkChar);
  EXPECT_EQ(GetPropertyKind(subject, "OnChange"), tkMethod);
  EXPECT_EQ(GetPropertyKind(subject, "Hidden"), tkInteger) << "stored or not";
  EXPECT_EQ(GetPropertyKind(subject, "Font"), tkUnknown) << "an object is searched, not matched";
  EXPECT_EQ(GetPropertyKind(subject, "ReadOnly"), tkUnknown) << "no setter";
  EXPECT_EQ(GetPropertyKind(subject, "Partner.Count"), tkUnknown) << "no partner held";
  EXPECT_EQ(GetPropertyKind(subject, "Nothing"), tkUnknown);
  TPropertyFileSubject other;
  subject.partner = &other;
  EXPECT_EQ(GetPropertyKind(subject, "Partner.Caption"), tkLString);
}

TEST(PropertyLineSplit, NameAndValueAroundTheFirstEqualsSign) {
  const TPropertyLine line = SplitPropertyLine("  Font.Name\t= a = b  ");
  EXPECT_EQ(line.name, "Font.Name");
  EXPECT_EQ(line.value, "a = b");
  const TPropertyLine none = SplitPropertyLine("Count 5");
  EXPECT_EQ(none.name, "");
  EXPECT_EQ(none.value, "");
}

}  // namespace
}  // namespace tintoral::test
