// The instrument side of the data link: new values written into the bound
// property (quality, events, DataLinkApply, names in any letter case and
// dotted paths), changes sent back without echoing, the conversions of
// SetPropertyFromVariant, and "OPCItems" read from a form.
#include <gtest/gtest.h>

#include "DataLinkTestSupport.h"
#include "platform/window/Application.h"
#include "platform/window/MainThreadQueue.h"
#include "runtime/ClassRegistry.h"
#include "runtime/Exception.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"

namespace tintoral::test {
namespace {

class DataLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OPCLibraryAvailable());
    TestLink().Reset();
    Application().SetExceptionHandler([this](const std::string& message) { messages.push_back(message); });
  }
  void TearDown() override {
    Application().SetExceptionHandler(nullptr);
    gauge.OPCItemManager().Clear();
    TestLink().Reset();
  }
  // A value from the server, delivered on the library's thread, then the
  // GUI thread's share; a frame after the one before, so that the instrument
  // takes it in the first pass.
  void Serve(const TiOPCItem& item, const TVariant& value, std::uint16_t quality) {
    LetAFramePass();
    ASSERT_NE(TestLink().Serve(item.Handle(), value, quality), 0);
    RunMainThreadTasks();
  }
  std::vector<std::string> SentData() const {
    std::vector<std::string> sent;
    for (const std::string& call : TestLink().Calls())
      if (call.rfind("SignalSendData", 0) == 0) sent.push_back(call);
    return sent;
  }

  TLinkedGauge gauge{nullptr};
  std::vector<std::string> messages;  // errors that reached the application
};

TEST_F(DataLinkTest, AGoodQualityWritesThePropertyABadOneSetsTheErrorFlagInstead) {
  TiOPCItem& item = gauge.Bind("Position", "Tank.Level");
  item.SetAutoError(true);
  Serve(item, 42.0, 0xC0);
  EXPECT_EQ(gauge.Position(), 42.0);
  EXPECT_FALSE(gauge.ErrorFlag());
  Serve(item, 17.0, 0x00);
  EXPECT_EQ(gauge.Position(), 42.0);
  EXPECT_TRUE(gauge.ErrorFlag());
  Serve(item, 18.0, 0xD8);
  EXPECT_EQ(gauge.Position(), 18.0);
  EXPECT_FALSE(gauge.ErrorFlag());
}

TEST_F(DataLinkTest, NewDataMovesThePositionWithoutEchoButLaterChangesAreSent) {
  TiOPCItem& inactive = gauge.Bind("Position", "Spare");
  TestLink().SetActive(inactive.Handle(), false);
  TiOPCItem& item = gauge.Bind("position", "Tank.Level");  // letter case does not matter
  EXPECT_EQ(item.PropertyKind(), tkFloat);
  Serve(item, 42.0, 0xC0);
  EXPECT_EQ(gauge.Position(), 42.0);
  EXPECT_FALSE(gauge.OPCWriting());
  EXPECT_TRUE(SentData().empty());

  gauge.SetPosition(50);        // a change made at the instrument
  gauge.SetUserChanging(true);  // a user gesture: sent once, at its end
  gauge.SetPosition(60);
  gauge.SetPosition(61);
  gauge.SetUserChanging(false);
  gauge.DoPositionChangeFinished();
  EXPECT_EQ(SentData(), (std::vector<std::string>{"SignalSendData 2 Double 50", "SignalSendData 2 Double 61"}));
  EXPECT_FALSE(gauge.DataLinkWrite("PositionMax", 1.0)) << "no item is bound to it";
}

TEST_F(DataLinkTest, ADottedNameReachesAPropertyOfAHeldObject) {
  TiOPCItem& item = gauge.Bind("font.SIZE", "Label.Size");
  EXPECT_EQ(item.PropertyKind(), tkInteger);
  Serve(item, std::string("14"), 0xC0);
  EXPECT_EQ(gauge.Font().Size(), 14);
}

TEST_F(DataLinkTest, TheEventsSurroundTheWriteAndDataLinkApplyCanTakeItOver) {
  TiOPCItem& other = gauge.Bind("Caption", "Label.Text");
  TiOPCItem& item = gauge.Bind("Position", "Tank.Level");
  std::vector<std::string> events;
  gauge.SetOnBeforeNewOPCData([&](TObject*, int index, TVariant& value) {
    events.push_back("before " + std::to_string(index) + " " + value.ToString());
    if (index == 1) value = value.ToDouble() * 2;
  });
  gauge.SetOnNewOPCData([&](TObject*, int index) {
    events.push_back("new " + std::to_string(index) + " " + std::to_string(static_cast<int>(gauge.Position())));
  });
  Serve(item, 21.0, 0xC0);
  gauge.applyItself = true;
  Serve(item, 30.0, 0xC0);
  Serve(other, std::string("ignored"), 0x00);
  EXPECT_EQ(events, (std::vector<std::string>{"before 1 21", "new 1 42", "before 1 30", "new 1 42", "before 0 ignored",
                                              "new 0 42"}));
  EXPECT_EQ(gauge.Caption(), "");

  other.SetPropertyName("");  // no property: nothing at all
  events.clear();
  Serve(other, std::string("x"), 0xC0);
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(messages.empty());
}

TEST_F(DataLinkTest, AValueThatDoesNotConvertGoesToOnOPCErrorAndTheItemNeverToTheApplication) {
  TiOPCItem& item = gauge.Bind("Position", "Tank.Level");
  std::vector<std::string> errors;
  gauge.SetOnOPCError([&](TObject*, int index, const std::string& message) {
    errors.push_back(std::to_string(index) + " " + message);
  });
  gauge.SetOnNewOPCData([](TObject*, int index) {
    if (index == 0) throw ConvertError("a handler that raises");
  });
  Serve(item, std::string("high"), 0xC0);
  EXPECT_EQ(errors, std::vector<std::string>{"0 'high' is not a valid floating point value"});
  EXPECT_EQ(item.Problem(), "'high' is not a valid floating point value");
  EXPECT_FALSE(gauge.OPCWriting());
  Serve(item, 12.0, 0xC0);
  EXPECT_EQ(gauge.Position(), 12.0);
  EXPECT_EQ(errors.back(), "0 a handler that raises");
  EXPECT_TRUE(messages.empty());
}

TEST_F(DataLinkTest, SetPropertyFromVariantConvertsThroughTheValueTextByKind) {
  struct Case {
    const char* name;
    TVariant value;
    std::function<std::string()> result;
    const char* expected;
  };
  auto position = [&] { return std::to_string(gauge.Position()); };
  auto border = [&] { return std::to_string(gauge.BorderStyle()); };
  auto autoFrame = [&] { return std::to_string(gauge.AutoFrameRate()); };
  const Case cases[] = {
      {"Position", 12.25, position, "12.250000"},
      {"Position", std::string("7.5"), position, "7.500000"},
      {"Position", 1, position, "1.000000"},
      {"UpdateFrameRate", std::string("25"), [&] { return std::to_string(gauge.UpdateFrameRate()); }, "25"},
      {"Font.Style", 5, [&] { return std::to_string(gauge.Font().Style()); }, "5"},
      {"BorderStyle", std::string("2"), border, "2"},
      {"BorderStyle", true, border, "1"},
      {"BorderStyle", std::string("false"), border, "0"},
      {"AutoFrameRate", std::string("yes"), autoFrame, "1"},
      {"AutoFrameRate", std::string("0"), autoFrame, "0"},
      {"AutoFrameRate", std::string("TRUE"), autoFrame, "1"},
      {"Caption", 2.5, [&] { return gauge.Caption(); }, "2.5"},
      // Numbers into integer properties round, halves away from zero; a
      // text that holds a number is that number, in any locale.
      {"UpdateFrameRate", 71.640625, [&] { return std::to_string(gauge.UpdateFrameRate()); }, "72"},
      {"UpdateFrameRate", 70.5, [&] { return std::to_string(gauge.UpdateFrameRate()); }, "71"},
      {"UpdateFrameRate", std::string(" 24.5 "), [&] { return std::to_string(gauge.UpdateFrameRate()); }, "25"},
      {"Font.Height", -10.5, [&] { return std::to_string(gauge.Font().Height()); }, "-11"},
      {"Position", std::string("+3e1"), position, "30.000000"},
      {"BorderStyle", 1.6, border, "2"},
  };
  for (const Case& c : cases) {
    TiVCLComponent::SetPropertyFromVariant(gauge, "", c.value, c.name);
    EXPECT_EQ(c.result(), c.expected) << c.name << " = " << c.value.ToString();
  }
  TiVCLComponent::SetPropertyFromVariant(gauge.Font(), "Font", 11, "FONT.SIZE");
  EXPECT_EQ(gauge.Font().Size(), 11) << "a prefix names the object's properties";

  for (const auto& [name, text] :
       {std::pair{"UpdateFrameRate", "fast"}, std::pair{"BorderStyle", "ibsRaised"}, std::pair{"BorderStyle", "7"},
        std::pair{"Position", "1,2,3"}, std::pair{"UpdateFrameRate", "1e400"}, std::pair{"Position", "nan"}})
    EXPECT_THROW(TiVCLComponent::SetPropertyFromVariant(gauge, "", std::string(text), name), ConvertError) << name;
}

TEST_F(DataLinkTest, ARefusedWriteReturnsTheInstrumentToTheLastGoodValueAtOnce) {
  TiOPCItem& item = gauge.Bind("Position", "Tank.Level");
  Serve(item, 40.0, 0xC0);
  Serve(item, 0.0, 0x00);  // the server went away: a last value of bad quality
  TestLink().SetActive(item.Handle(), false);
  gauge.SetPosition(60);
  LetAFramePass();
  RunMainThreadTasks();
  EXPECT_EQ(gauge.Position(), 40.0);
  EXPECT_EQ(item.Problem(), "write of 60 refused: the server is not connected");
  EXPECT_TRUE(SentData().empty()) << "the value put back is not sent";
}

// Two properties of one name: every match takes the value.
class TTwinLevels : public TPersistent {
  TINTORAL_CLASS(TTwinLevels, TPersistent)
 public:
  int first = 0;
  int second = 0;
  int First() const { return first; }
  void SetFirst(int value) { first = value; }
  int Second() const { return second; }
  void SetSecond(int value) { second = value; }
};

const TClassInfo& TTwinLevels::StaticClass() {
  static const TClassInfo info = DescribeClass<TTwinLevels>("TTwinLevels", TPersistent::StaticClass(), [](auto& b) {
    b.Property("Level", &TTwinLevels::First, &TTwinLevels::SetFirst);
    b.Property("Level", &TTwinLevels::Second, &TTwinLevels::SetSecond);
  });
  return info;
}

TEST_F(DataLinkTest, TheScanDoesNotStopAtTheFirstMatch) {
  TTwinLevels twins;
  TiVCLComponent::SetPropertyFromVariant(twins, "", 9, "level");
  EXPECT_EQ(twins.first, 9);
  EXPECT_EQ(twins.second, 9);
}

// The lines from "OPCItems = <" to the closing "end>".
std::string OPCItemsBlock(const std::string& form) {
  const std::size_t start = form.find("  OPCItems = <");
  const std::size_t end = form.find("end>\n", start);
  return start == std::string::npos || end == std::string::npos ? "" : form.substr(start, end + 5 - start);
}

TEST_F(DataLinkTest, ItemsReadFromAFormConnectAndAreWrittenBackInTheSameForm) {
  RegisterComponentClass<TLinkedGauge>();
  const std::string form =
      "object Gauge1: TLinkedGauge\n"
      "  OPCItems = <\n"
      "    item\n"
      "      PropertyName = 'Position'\n"
      "      GroupName = ''\n"
      "      ComputerName = 'Local'\n"
      "      ServerName = 'Plant.Server'\n"
      "      ItemName = 'Tank.Level'\n"
      "      UpdateRate = 250\n"
      "      AutoConnect = True\n"
      "      AutoError = False\n"
      "    end\n"
      "    item\n"
      "      PropertyName = 'Caption'\n"
      "      GroupName = 'Slow'\n"
      "      ComputerName = 'Local'\n"
      "      ServerName = ''\n"
      "      ItemName = 'Tank.Name'\n"
      "      UpdateRate = 500\n"
      "      AutoConnect = False\n"
      "      AutoError = True\n"
      "    end>\n"
      "end\n";
  std::unique_ptr<TComponent> read(ReadComponentText(form));
  UnregisterComponentClass(TLinkedGauge::StaticClass());
  auto& loaded = dynamic_cast<TLinkedGauge&>(*read);
  ASSERT_EQ(loaded.OPCItemManager().Count(), 2);
  EXPECT_EQ(TestLink().Calls(), std::vector<std::string>{"SignalAdd Local|Plant.Server|Tank.Level||250|0|4"});
  EXPECT_EQ(loaded.OPCItemManager().Items(0).Handle(), 1);
  EXPECT_EQ(OPCItemsBlock(WriteComponentText(loaded)), OPCItemsBlock(form));
}

}  // namespace
}  // namespace tintoral::test
