// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/hid_device_controller.h"

#include <gtest/gtest.h>

#include "core/link/hid_link.h"
#include "fake_backend.h"

namespace qel {
namespace {

using testing::FakeBackend;
using testing::MakeInfo;

struct Recorder {
  FakeBackend backend;
  HidDeviceController controller{backend};
  std::vector<std::string> events;
  Recorder() {
    controller.OnArrival = [this](HidDevice& d) { events.push_back("arrival " + d.Info().path); };
    controller.OnRemoval = [this](HidDevice& d) {
      events.push_back("removal " + d.Info().path + (d.PluggedIn() ? " plugged" : " unplugged"));
    };
    controller.OnDeviceChange = [this] { events.push_back("change"); };
    controller.OnEnumerate = [this](HidDevice& d) {
      events.push_back("enumerate " + d.Info().path);
      return true;
    };
  }
};

TEST(HidDeviceController, FirstScanAnnouncesEveryDeviceThenChange) {
  Recorder r;
  r.backend.Add(MakeInfo("a", 1, 1));
  r.backend.Add(MakeInfo("b", 2, 2));
  r.controller.Scan();
  EXPECT_EQ(r.events, (std::vector<std::string>{"arrival a", "arrival b", "change"}));
}

TEST(HidDeviceController, EmptyFirstScanStillRaisesChange) {
  Recorder r;
  r.controller.Scan();
  r.controller.Scan();
  EXPECT_EQ(r.events, std::vector<std::string>{"change"});
}

TEST(HidDeviceController, RemovalsBeforeArrivalsBeforeChange) {
  Recorder r;
  r.backend.Add(MakeInfo("a", 1, 1));
  r.backend.Add(MakeInfo("b", 2, 2));
  r.backend.Add(MakeInfo("c", 3, 3));
  r.controller.Scan();
  r.events.clear();
  r.backend.Remove("a");
  r.backend.Remove("c");
  r.backend.Add(MakeInfo("d", 4, 4));
  r.backend.Add(MakeInfo("e", 5, 5));
  r.controller.Scan();
  EXPECT_EQ(r.events, (std::vector<std::string>{"removal a unplugged", "removal c unplugged",
                                                "arrival d", "arrival e", "change"}));
  r.events.clear();
  r.controller.Enumerate();
  EXPECT_EQ(r.events, (std::vector<std::string>{"enumerate b", "enumerate d", "enumerate e"}));
  r.events.clear();
  r.controller.Scan();  // nothing changed: no events
  EXPECT_TRUE(r.events.empty());
}

TEST(HidDeviceController, EnumerationStopsWhenHandlerAnswersFalse) {
  Recorder r;
  for (const char* p : {"a", "b", "c"}) r.backend.Add(MakeInfo(p, 1, 1));
  r.controller.Scan();
  r.events.clear();
  r.controller.OnEnumerate = [&r](HidDevice& d) {
    r.events.push_back(d.Info().path);
    return d.Info().path != "b";
  };
  r.controller.Enumerate();
  EXPECT_EQ(r.events, (std::vector<std::string>{"a", "b"}));
}

TEST(HidDeviceController, ClaimedDeviceOutlivesItsRemovalUntilCheckIn) {
  Recorder r;
  r.backend.Add(MakeInfo("a", 1, 1));
  r.controller.Scan();
  HidDevice* claimed = r.controller.CheckOutFirstFree();
  ASSERT_NE(claimed, nullptr);
  EXPECT_FALSE(r.controller.CheckOut(*claimed));  // already claimed
  r.backend.Remove("a");
  r.controller.Scan();
  EXPECT_TRUE(r.controller.Devices().empty());
  EXPECT_FALSE(claimed->PluggedIn());  // still a valid object
  r.controller.CheckIn(claimed);
  EXPECT_EQ(claimed, nullptr);
}

// --- the link on the controller: who is claimed, and what the panel says ---

struct LinkOnController {
  FakeBackend backend;
  MemoryLog memo;
  HidLink link{backend, memo};
};

TEST(HidLinkScan, ClaimsInstrumentWithEitherProductId) {
  for (std::uint16_t pid : {kQelProductId, kQelProductIdAlt}) {
    LinkOnController f;
    f.backend.Add(MakeInfo("kbd", 0x046D, 0xC31C, 9, 2, "Logi", "Kbd"));
    f.backend.Add(MakeInfo("qel", kQelVendorId, pid));
    f.link.ScanNow();
    ASSERT_NE(f.link.LinkDevice(), nullptr);
    EXPECT_EQ(f.link.LinkDevice()->Info().path, "qel");
    EXPECT_TRUE(f.link.Connected());
    EXPECT_EQ(f.link.ConnectStatus(), ConnectStatus::QelFound);
    ASSERT_EQ(f.memo.LineCount(), 3u);
    EXPECT_EQ(f.memo.Lines()[0], "Device Change ");
    EXPECT_EQ(f.memo.Lines()[1], "DEV: Logi Kbd Vendor:$046D Product:$C31C");
  }
}

TEST(HidLinkScan, OtherIdsAreListedButNeverClaimedOrOpened) {
  LinkOnController f;
  auto kbd = f.backend.Add(MakeInfo("kbd", 0x046D, 0xC31C));
  auto other = f.backend.Add(MakeInfo("other", kQelVendorId, 0x0001));
  f.link.ScanNow();
  EXPECT_EQ(f.link.LinkDevice(), nullptr);
  EXPECT_FALSE(f.link.Connected());
  EXPECT_EQ(f.link.ConnectStatus(), ConnectStatus::NoQel);
  EXPECT_EQ(f.memo.LineCount(), 3u);
  f.link.Exchange("*IDN?\n");
  EXPECT_EQ(kbd->opens + other->opens, 0);
  for (const auto& device : f.link.Controller().Devices()) EXPECT_FALSE(device->Claimed());
}

TEST(HidLinkScan, ArrivalWith66ByteReportClaimsAndConnects) {
  LinkOnController f;
  f.backend.Add(MakeInfo("qel", kQelVendorId, kQelProductId, 65, 66));
  f.link.ScanNow();
  ASSERT_NE(f.link.LinkDevice(), nullptr);
  // claimed on arrival: the panel and the flag still tell the truth
  EXPECT_TRUE(f.link.Connected());
  EXPECT_EQ(f.link.ConnectStatus(), ConnectStatus::QelFound);
}

TEST(HidLinkScan, RemovalAsOnlyDeviceClearsConnected) {
  LinkOnController f;
  f.backend.Add(MakeInfo("qel", kQelVendorId, kQelProductId));
  f.link.ScanNow();
  ASSERT_TRUE(f.link.Connected());
  f.backend.Remove("qel");
  f.link.ScanNow();
  EXPECT_EQ(f.link.LinkDevice(), nullptr);
  EXPECT_FALSE(f.link.Connected());
  EXPECT_EQ(f.link.ConnectStatus(), ConnectStatus::NoQel);
  EXPECT_EQ(f.memo.Lines(), std::deque<std::string>{"Device Change "});
}

TEST(HidLinkScan, ReplugIsClaimedAgainAndAnyPlugEmptiesTheLog) {
  LinkOnController f;
  f.backend.Add(MakeInfo("qel", kQelVendorId, kQelProductId));
  f.link.ScanNow();
  f.link.SetDebug(true);
  f.link.Exchange("A?\n");
  EXPECT_GT(f.memo.LineCount(), 3u);
  f.backend.Add(MakeInfo("mouse", 0x1234, 0x5678, 5, 0, "M", "Mouse"));
  f.link.ScanNow();
  EXPECT_EQ(f.memo.LineCount(), 3u);  // debug lines gone
  EXPECT_EQ(f.link.LinkDevice()->Info().path, "qel");
  f.backend.Remove("qel");
  f.link.ScanNow();
  EXPECT_FALSE(f.link.Connected());
  f.backend.Add(MakeInfo("qel", kQelVendorId, kQelProductIdAlt));
  f.link.ScanNow();
  EXPECT_TRUE(f.link.Connected());
  EXPECT_EQ(f.link.LinkDevice()->ProductId(), kQelProductIdAlt);
}

TEST(HidLinkScan, SecondInstrumentTakesOverWhenFirstIsUnplugged) {
  LinkOnController f;
  f.backend.Add(MakeInfo("qel1", kQelVendorId, kQelProductId));
  f.backend.Add(MakeInfo("qel2", kQelVendorId, kQelProductIdAlt));
  f.link.ScanNow();
  EXPECT_EQ(f.link.LinkDevice()->Info().path, "qel1");
  f.backend.Remove("qel1");
  f.link.ScanNow();
  ASSERT_NE(f.link.LinkDevice(), nullptr);
  EXPECT_EQ(f.link.LinkDevice()->Info().path, "qel2");
}

// An instrument whose node cannot be opened is not a connection: the link log says why,
// once per device change, and each later scan tries again, so fixing the permission
// needs no replug. Output length 65 is claimed by enumeration, 66 on arrival.
TEST(HidLinkScan, DeviceThatCannotBeOpenedSaysWhyAndIsNotConnected) {
  for (int out : {65, 66}) {
    LinkOnController f;
    auto device = f.backend.Add(MakeInfo("qel", kQelVendorId, kQelProductId, 65, out));
    device->openable = false;
    device->openError = "/dev/hidraw3: Permission denied";
    f.link.ScanNow();
    EXPECT_FALSE(f.link.Connected()) << out;
    EXPECT_EQ(f.link.ConnectStatus(), ConnectStatus::NoQel);
    EXPECT_EQ(f.link.OpenError(), "/dev/hidraw3: Permission denied");
    EXPECT_EQ(f.memo.Lines(), (std::deque<std::string>{
                                  "Device Change ", "DEV: KORVAL QEL11 Vendor:$04D8 Product:$FE78",
                                  "OPEN FAILED: /dev/hidraw3: Permission denied"}))
        << out;
    EXPECT_EQ(f.link.Exchange("A?\n"), "");
    EXPECT_TRUE(device->written.empty());
    f.link.ScanNow();
    EXPECT_EQ(f.memo.LineCount(), 3u) << "logged once";
    device->openable = true;
    f.link.ScanNow();
    EXPECT_TRUE(f.link.Connected()) << out;
    EXPECT_EQ(f.link.ConnectStatus(), ConnectStatus::QelFound);
    EXPECT_EQ(f.link.OpenError(), "");
  }
  // One that cannot be opened does not hide another that can.
  LinkOnController f;
  f.backend.Add(MakeInfo("qel1", kQelVendorId, kQelProductId))->openable = false;
  f.backend.Add(MakeInfo("qel2", kQelVendorId, kQelProductIdAlt));
  f.link.ScanNow();
  ASSERT_TRUE(f.link.Connected());
  EXPECT_EQ(f.link.LinkDevice()->Info().path, "qel2");
}

}  // namespace
}  // namespace qel
