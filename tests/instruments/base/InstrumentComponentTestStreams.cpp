// The instrument base in form streams and property files, its timer
// service, and the data-link item list.
#include <gtest/gtest.h>

#include <QTest>
#include <cstdio>
#include <fstream>
#include <memory>

#include "InstrumentTestSupport.h"
#include "runtime/ClassRegistry.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"
#include "tests/support/TestTempPath.h"

namespace tintoral::test {
namespace {

std::vector<std::string> PublishedNames(const TClassInfo& info) {
  std::vector<std::string> names;
  for (const TPropertyInfo* p : info.Properties()) names.push_back(p->Name());
  return names;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class InstrumentStreamTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterComponentClass<TTestInstrument>(); }
  void TearDown() override { UnregisterComponentClass(TTestInstrument::StaticClass()); }
};

TEST_F(InstrumentStreamTest, TheBasePublishesItsPropertiesAndEventsAndKeepsTheDrawingOnesUnpublished) {
  const std::vector<std::string> names = PublishedNames(TiCustomComponent::StaticClass());
  const std::vector<std::string> tail(names.end() - 20, names.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"Visible",
                                            "Enabled",
                                            "ShowHint",
                                            "OnClick",
                                            "OnDblClick",
                                            "OnMouseDown",
                                            "OnMouseMove",
                                            "OnMouseUp",
                                            "OnKeyDown",
                                            "OnKeyPress",
                                            "OnKeyUp",
                                            "OnEnter",
                                            "OnExit",
                                            "OptionSaveAllProperties",
                                            "AutoFrameRate",
                                            "UpdateFrameRate",
                                            "ErrorMarking",
                                            "OnNewOPCData",
                                            "OnBeforeNewOPCData",
                                            "OnOPCError"}));
  for (const char* hidden :
       {"BackGroundColor", "BorderStyle", "BackGroundPicture", "Transparent", "OffsetX", "OnPaint"})
    EXPECT_EQ(TiCustomComponent::StaticClass().FindProperty(hidden), nullptr) << hidden;
}

TEST_F(InstrumentStreamTest, DefaultsAreNotWrittenAndNoItemsMeansNoOPCItems) {
  TTestInstrument instrument(nullptr);
  instrument.SetName("Gauge1");
  const std::string plain = WriteComponentText(instrument);
  EXPECT_FALSE(Contains(plain, "UpdateFrameRate"));
  EXPECT_FALSE(Contains(plain, "AutoFrameRate"));
  EXPECT_FALSE(Contains(plain, "OPCItems"));
  instrument.SetUpdateFrameRate(25);
  instrument.SetAutoFrameRate(true);
  const std::string changed = WriteComponentText(instrument);
  EXPECT_TRUE(Contains(changed, "AutoFrameRate = True"));
  EXPECT_TRUE(Contains(changed, "UpdateFrameRate = 25"));
}

TEST_F(InstrumentStreamTest, OPCItemsFollowThePublishedPropertiesAndReadBackIntoAClearedList) {
  TTestInstrument instrument(nullptr);
  instrument.SetName("Gauge1");
  TiOPCItem& item = instrument.OPCItemManager().Add();
  item.SetPropertyName("UpdateFrameRate");
  item.SetServerName("Plant.Server");
  item.SetItemName("Tank1.Level");
  item.SetUpdateRate(250);
  instrument.SetUpdateFrameRate(30);
  const std::string text = WriteComponentText(instrument);
  ASSERT_TRUE(Contains(text, "OPCItems = <"));
  EXPECT_LT(text.find("UpdateFrameRate = 30"), text.find("OPCItems"));
  EXPECT_TRUE(Contains(text, "ComputerName = 'Local'"));  // every item property is written, defaults included
  EXPECT_TRUE(Contains(text, "AutoConnect = True"));

  TTestInstrument reread(nullptr);
  reread.OPCItemManager().Add();
  reread.OPCItemManager().Add();
  ReadRootComponentText(text, reread);
  ASSERT_EQ(reread.OPCItemManager().Count(), 1);
  const TiOPCItem& copy = reread.OPCItemManager().Items(0);
  EXPECT_EQ(copy.PropertyName(), "UpdateFrameRate");
  EXPECT_EQ(copy.PropertyKind(), tkInteger);  // asked of the owner through the manager
  EXPECT_EQ(copy.ServerName(), "Plant.Server");
  EXPECT_EQ(copy.ItemName(), "Tank1.Level");
  EXPECT_EQ(copy.UpdateRate(), 250);
  EXPECT_EQ(copy.ComputerName(), "Local");
  EXPECT_EQ(copy.Manager(), &reread.OPCItemManager());
  EXPECT_EQ(reread.OPCItemManager().IndexOf(&copy), 0);
  EXPECT_THROW(reread.OPCItemManager().Items(1), ListIndexError);
  reread.OPCItemManager().Clear();
  EXPECT_FALSE(reread.OPCItemManager().HasItems());
}

TEST_F(InstrumentStreamTest, TheItemManagerAsksTheOwnersDesignQueryHook) {
  TTestInstrument instrument(nullptr);
  EXPECT_FALSE(instrument.OPCItemManager().OwnerIsDesigning());
  instrument.SetDesignQueryHook([](TObject*, bool& designing) { designing = true; });
  EXPECT_TRUE(instrument.IsDesigning());
  EXPECT_TRUE(instrument.OPCItemManager().OwnerIsDesigning());
}

TEST_F(InstrumentStreamTest, LoadingAPropertyFileRunsInsideOneUpdateBracket) {
  const std::string fileName = tintoral::test::TestTempPath("instrument-base-props.txt");
  {
    std::ofstream out(fileName, std::ios::binary);
    out << "File Type = TTestInstrument\r\nUpdateFrameRate = 30\r\nAutoFrameRate = 0\r\n";
  }
  TTestInstrument instrument(nullptr);
  instrument.SetOffsetX(1);  // the setter's own invalidation
  instrument.LoadPropertiesFromFile(fileName);
  EXPECT_EQ(instrument.UpdateFrameRate(), 30);
  EXPECT_FALSE(instrument.Updating());
  EXPECT_EQ(instrument.invalidations, 2);  // one for the whole load

  instrument.SetUpdateFrameRate(45);
  instrument.SavePropertiesToFile(fileName);
  std::ifstream in(fileName, std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_TRUE(Contains(saved, "File Type = TTestInstrument\r\n"));
  EXPECT_TRUE(Contains(saved, "UpdateFrameRate = 45\r\n"));
  std::remove(fileName.c_str());

  EXPECT_THROW(instrument.LoadPropertiesFromFile(fileName), Exception);
  EXPECT_FALSE(instrument.Updating());
}

TEST(InstrumentTimerTest, TheFirstShotUsesTheFirstDelayThenTheInterval) {
  TTestInstrument instrument(nullptr);
  int ticks = 0;
  instrument.SetOnTimerTick([&](TObject* sender) {
    EXPECT_EQ(sender, &instrument);
    ++ticks;
  });
  instrument.TimerStart(0, 0);  // nothing to wait for
  EXPECT_FALSE(instrument.TimerRunning());

  instrument.TimerStart(1, 60000);
  EXPECT_TRUE(instrument.TimerRunning());
  instrument.TimerStart(1, 1);  // ignored while running
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 1; }, 5000));
  QTest::qWait(30);
  EXPECT_EQ(ticks, 1);  // the next tick is a minute away
  EXPECT_TRUE(instrument.TimerRunning());
  instrument.TimerStop();
  EXPECT_FALSE(instrument.TimerRunning());

  instrument.TimerStart(0, 2);  // no first delay: the interval throughout
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 4; }, 5000));
}

}  // namespace
}  // namespace tintoral::test
