// The loader: the library's file name, where it is found, the functions
// looked up, and the two errors of the call wrappers.
#include <gtest/gtest.h>

#include <functional>

#include "instruments/opc/LinkVariant.h"
#include "instruments/opc/OPCLibrary.h"
#include "linklib/testlink/TestLinkClient.h"

namespace tintoral {
namespace {

TEST(OPCLibrary, TheProgramsLibraryNameMapsToTheSharedLibraryFileAndIsFoundBesideTheProgram) {
  EXPECT_EQ(PlatformLibraryFileName("iOPC.dll"), "libiOPC.so");
  ASSERT_TRUE(OPCLibraryAvailable());  // the test link library is built beside the test programs
  EXPECT_NE(OPCLibrary().FilePath().find("/libiOPC.so"), std::string::npos);
  EXPECT_EQ(&OPCLibrary(), &OPCLibrary()) << "loaded once";
  for (const char* called : {"SignalAdd", "SignalRemove", "SignalGetActive", "SignalSendData"})
    EXPECT_NE(OPCLibrary().Function(called), nullptr) << called;
  EXPECT_EQ(OPCLibrary().Function("GroupAdd"), nullptr) << "not exported: left empty";
  EXPECT_EQ(OPCLibrary().Function("TestLinkReset"), nullptr) << "not a function of the interface";
}

// Each wrapper, called with harmless arguments.
const std::vector<std::pair<const char*, std::function<void(const TiOPCLibrary&)>>>& Wrappers() {
  static const std::vector<std::pair<const char*, std::function<void(const TiOPCLibrary&)>>> wrappers = {
      {"SignalAdd", [](const TiOPCLibrary& l) { l.SignalAdd("Local", "S", "I", "G", 500, 4, nullptr, nullptr); }},
      {"SignalRemove", [](const TiOPCLibrary& l) { l.SignalRemove(0); }},
      {"SignalGetActive", [](const TiOPCLibrary& l) { l.SignalGetActive(0); }},
      {"SignalSendData", [](const TiOPCLibrary& l) { l.SignalSendData(0, 1.5); }},
  };
  return wrappers;
}

std::string MessageOf(const std::function<void(const TiOPCLibrary&)>& call, const TiOPCLibrary& library) {
  try {
    call(library);
  } catch (const OPCLinkError& e) {
    return e.Message();
  }
  return "(no error)";
}

TEST(OPCLibrary, WrappersRaiseWhenTheLibraryOrTheFunctionIsMissing) {
  const TiOPCLibrary missing("/nonexistent/libiOPC.so");
  const TiOPCLibrary withoutFunctions("libm.so.6");  // a real library that exports none of them
  EXPECT_FALSE(missing.Available());
  ASSERT_TRUE(withoutFunctions.Available());
  for (const auto& [name, call] : Wrappers()) {
    EXPECT_EQ(MessageOf(call, missing), "Vorlix OPC DLL Not Found.") << name;
    EXPECT_EQ(MessageOf(call, withoutFunctions), std::string("Function \"") + name + "\" not found in \"iOPC.dll\".");
  }
}

TEST(OPCLibrary, TheStatusFunctionsAnswerWhatTheLibraryReportsAndNothingWithoutThem) {
  const test::TestLinkClient link(OPCLibrary().FilePath());
  link.Reset();
  link.SetConnection("Plant.Server", IOPC_CONNECTION_LOST, 1700000000123, "connection reset");
  link.SetConnection("Spare", IOPC_CONNECTION_CONNECTED, 5);
  const std::int32_t handle =
      OPCLibrary().SignalAdd("Local", "Plant.Server", "Tank.Level", "", 500, 4, nullptr, nullptr);
  link.SetStatus(handle, std::string(300, 'x'));  // longer than the first buffer
  EXPECT_EQ(OPCLibrary().SignalGetStatus(handle), std::string(300, 'x'));
  const std::vector<TiServerConnection> connections = OPCLibrary().ServerConnections();
  ASSERT_EQ(connections.size(), 2u);
  EXPECT_EQ(connections[0].name, "Plant.Server");
  EXPECT_EQ(connections[0].state, IOPC_CONNECTION_LOST);
  EXPECT_EQ(connections[0].sinceUnixMilliseconds, 1700000000123);
  EXPECT_EQ(connections[0].details, "connection reset");
  EXPECT_EQ(connections[1].state, IOPC_CONNECTION_CONNECTED);
  link.Reset();

  const TiOPCLibrary withoutFunctions("libm.so.6");
  EXPECT_EQ(withoutFunctions.SignalGetStatus(1), "");
  EXPECT_TRUE(withoutFunctions.ServerConnections().empty());
}

TEST(OPCLibrary, VariantsCrossTheCInterfaceUnchanged) {
  const std::vector<TVariant> values = {TVariant(),    TVariant(-7),   TVariant(std::int64_t{1} << 40),
                                        TVariant(2.5), TVariant(true), TVariant(std::string("Nivel\0\xF3", 7))};
  for (const TVariant& value : values) {
    const TLinkVariant linkValue(value);
    const TVariant back = FromLinkVariant(linkValue.Value());
    EXPECT_EQ(back.Type(), value.Type()) << value.TypeName();
    if (value.Type() == TVarType::String) EXPECT_EQ(back.ToString(), value.ToString());
    else EXPECT_EQ(back, value) << value.TypeName();
  }
  IOPCVariant unknown{};
  unknown.type = 99;
  EXPECT_TRUE(FromLinkVariant(unknown).IsEmpty());
}

}  // namespace
}  // namespace tintoral
