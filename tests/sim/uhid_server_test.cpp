// SPDX-License-Identifier: GPL-3.0-or-later
// The uhid server against a socket pair that plays the kernel's side of /dev/uhid: the
// same event structs, one per message, as the real node reads and writes them.
#if defined(__linux__)

#include "sim/uhid_server.h"

#include <gtest/gtest.h>
#include <linux/uhid.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "core/link/hid_report_descriptor.h"
#include "sim/sim_backend.h"

namespace qel::sim {
namespace {

TEST(VendorReportDescriptor, MeasuresAsTheInstrumentsReports) {
  struct Row {
    int input, output;
    ReportLengths want;
  };
  for (const Row& row : {Row{64, 64, {65, 65, 0, false}}, Row{64, 65, {65, 66, 0, false}},
                         Row{8, 300, {9, 301, 0, false}}}) {
    const auto d = VendorReportDescriptor(row.input, row.output);
    EXPECT_EQ(ComputeReportLengths(d.data(), d.size()), row.want) << row.input << "/" << row.output;
  }
}

TEST(InstrumentDeviceParams, TakesIdentityAndLengthsFromTheBackend) {
  SimOptions options;
  options.productId = 0x003F;
  options.outputReportLength = 66;
  SimBackend backend(options);
  const UhidDeviceParams params = InstrumentDeviceParams(backend.DeviceInfo());
  EXPECT_EQ(params.vendorId, 0x04D8);
  EXPECT_EQ(params.productId, 0x003F);
  EXPECT_EQ(params.name, "KORVAL QEL11");
  EXPECT_EQ(params.reportDescriptor, VendorReportDescriptor(64, 65));
}

TEST(UhidDeviceOpenNode, NamesTheMissingModule) {
  std::string error;
  EXPECT_EQ(UhidDevice::OpenNode("/nonexistent/uhid", error), nullptr);
  EXPECT_NE(error.find("modprobe uhid"), std::string::npos) << error;
}

// The kernel's end of the pair.
class FakeKernel {
 public:
  explicit FakeKernel(int fd) : fd_(fd) {}
  ~FakeKernel() { Close(); }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

  // The next event the device sends; nullopt after 5 s without one.
  std::optional<uhid_event> Next() {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, 5000) <= 0) return std::nullopt;
    uhid_event event{};
    if (::read(fd_, &event, sizeof event) <= 0) return std::nullopt;
    return event;
  }
  void Send(const uhid_event& event) {
    ASSERT_EQ(::write(fd_, &event, sizeof event), static_cast<ssize_t>(sizeof event));
  }
  void SendType(std::uint32_t type) {
    uhid_event event{};
    event.type = type;
    Send(event);
  }
  // An output report as hidraw passes on what hidapi wrote: report ID 0 first.
  void SendOutput(const std::string& text, std::size_t length) {
    uhid_event event{};
    event.type = UHID_OUTPUT;
    event.u.output.rtype = UHID_OUTPUT_REPORT;
    event.u.output.size = static_cast<__u16>(length);
    std::memcpy(event.u.output.data + 1, text.data(), text.size());
    Send(event);
  }

 private:
  int fd_;
};

class UhidServerTest : public ::testing::Test {
 protected:
  void Start(SimOptions options = {}, int replugMs = 1000) {
    int fds[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds), 0);
    kernel_ = std::make_unique<FakeKernel>(fds[0]);
    backend_ = std::make_unique<SimBackend>(options);
    eventLog_ = ::testing::TempDir() + "uhid_events_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::remove(eventLog_.c_str());
    server_ = std::make_unique<UhidServer>(*backend_, UhidServerOptions{eventLog_, replugMs});
    server_->OnNotice = [this](const std::string& n) { notices_ += n + "\n"; };
    std::string error;
    ASSERT_TRUE(server_->Start(std::make_unique<UhidDevice>(fds[1]), error)) << error;
    thread_ = std::thread([this] { runOk_ = server_->Run(runError_); });
  }
  void StopServer() {
    if (!server_) return;
    server_->Stop();
    if (thread_.joinable()) thread_.join();
    server_.reset();  // destroys the device
  }
  void TearDown() override { StopServer(); }

  std::string EventLog() const {
    std::ifstream in(eventLog_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  uhid_event ExpectEvent(std::uint32_t type) {
    auto event = kernel_->Next();
    EXPECT_TRUE(event.has_value()) << "no event, wanted type " << type;
    if (!event) return {};
    EXPECT_EQ(event->type, type);
    return *event;
  }
  // Waits until the server has handled every event sent so far: it answers in order.
  void Sync() {
    uhid_event get{};
    get.type = UHID_GET_REPORT;
    kernel_->Send(get);
    ExpectEvent(UHID_GET_REPORT_REPLY);
  }
  static std::string InputText(const uhid_event& event) {
    return std::string(
        reinterpret_cast<const char*>(event.u.input2.data),
        strnlen(reinterpret_cast<const char*>(event.u.input2.data), event.u.input2.size));
  }

  std::unique_ptr<FakeKernel> kernel_;
  std::unique_ptr<SimBackend> backend_;
  std::unique_ptr<UhidServer> server_;
  std::thread thread_;
  std::string eventLog_;
  std::string notices_;
  bool runOk_ = false;
  std::string runError_;
};

TEST_F(UhidServerTest, CreatesTheInstrumentAsAUsbHidDevice) {
  Start();
  const uhid_event create = ExpectEvent(UHID_CREATE2);
  EXPECT_EQ(create.u.create2.bus, BUS_USB);
  EXPECT_EQ(create.u.create2.vendor, 0x04D8u);
  EXPECT_EQ(create.u.create2.product, 0xFE78u);
  EXPECT_STREQ(reinterpret_cast<const char*>(create.u.create2.name), "KORVAL QEL11");
  const auto descriptor = VendorReportDescriptor(64, 64);
  ASSERT_EQ(create.u.create2.rd_size, descriptor.size());
  EXPECT_EQ(0, std::memcmp(create.u.create2.rd_data, descriptor.data(), descriptor.size()));
  EXPECT_EQ(notices_, "uhid device created\n");
}

TEST_F(UhidServerTest, AnswersEachOutputReportWithOneInputReportWithoutId) {
  Start();
  ExpectEvent(UHID_CREATE2);
  kernel_->SendType(UHID_START);
  kernel_->SendType(UHID_OPEN);
  kernel_->SendOutput("*IDN?\n", 65);
  const uhid_event input = ExpectEvent(UHID_INPUT2);
  EXPECT_EQ(input.u.input2.size, 64);
  EXPECT_EQ(InputText(input), "KORVAL,QEL11,11230042,1.07");
  kernel_->SendOutput("UNIT GAUSS\n", 65);  // a setting is answered too
  EXPECT_EQ(ExpectEvent(UHID_INPUT2).u.input2.size, 64);
  EXPECT_EQ(backend_->ReceivedLines(), (std::vector<std::string>{"*IDN?", "UNIT GAUSS"}));
  kernel_->SendType(UHID_CLOSE);
  Sync();
  StopServer();
  ExpectEvent(UHID_DESTROY);  // stopping unplugs the device
  EXPECT_EQ(EventLog(), "create\nstart\nopen\noutput 64\noutput 64\nclose\nget_report\n");
  EXPECT_TRUE(runOk_) << runError_;
}

TEST_F(UhidServerTest, ALongerOutputReportCarriesOneMoreCharacter) {
  SimOptions options;
  options.outputReportLength = 66;
  Start(options);
  ExpectEvent(UHID_CREATE2);
  const std::string line(65, 'A');
  kernel_->SendOutput(line, 66);
  ExpectEvent(UHID_INPUT2);
  EXPECT_EQ(backend_->ReceivedLines(), std::vector<std::string>{line});
  Sync();
  StopServer();
  EXPECT_EQ(EventLog(), "create\noutput 65\nget_report\n");
}

TEST_F(UhidServerTest, RefusesFeatureRequestsAtOnce) {
  Start();
  ExpectEvent(UHID_CREATE2);
  uhid_event get{};
  get.type = UHID_GET_REPORT;
  get.u.get_report.id = 7;
  kernel_->Send(get);
  const uhid_event getReply = ExpectEvent(UHID_GET_REPORT_REPLY);
  EXPECT_EQ(getReply.u.get_report_reply.id, 7u);
  EXPECT_EQ(getReply.u.get_report_reply.err, EIO);
  uhid_event set{};
  set.type = UHID_SET_REPORT;
  set.u.set_report.id = 8;
  kernel_->Send(set);
  const uhid_event setReply = ExpectEvent(UHID_SET_REPORT_REPLY);
  EXPECT_EQ(setReply.u.set_report_reply.id, 8u);
  EXPECT_EQ(setReply.u.set_report_reply.err, EIO);
  EXPECT_TRUE(backend_->ReceivedLines().empty());
}

TEST_F(UhidServerTest, ASilentInstrumentSendsNoInputReport) {
  SimOptions options;
  options.stopAnsweringAfter = 0;
  Start(options);
  ExpectEvent(UHID_CREATE2);
  kernel_->SendOutput("*IDN?\n", 65);
  Sync();  // the next event is the reply to this request, not an input report
  EXPECT_EQ(backend_->ReceivedLines(), std::vector<std::string>{"*IDN?"});
}

TEST_F(UhidServerTest, UnplugsAfterTheLastAnswerAtTheNextReportAndComesBack) {
  SimOptions options;
  options.disconnectAfter = 1;
  Start(options, 0);
  ExpectEvent(UHID_CREATE2);
  kernel_->SendOutput("MODE?\n", 65);
  EXPECT_EQ(InputText(ExpectEvent(UHID_INPUT2)), "DC");  // its answer still goes out
  kernel_->SendOutput("UNIT?\n", 65);                    // lost, as on a pulled cable
  ExpectEvent(UHID_DESTROY);
  ExpectEvent(UHID_CREATE2);  // plugged in again after the re-plug delay
  kernel_->SendOutput("UNIT?\n", 65);
  EXPECT_EQ(InputText(ExpectEvent(UHID_INPUT2)), "TESL");
  EXPECT_EQ(backend_->ReceivedLines(), (std::vector<std::string>{"MODE?", "UNIT?"}));
  StopServer();  // the notices come from the server's thread
  EXPECT_EQ(notices_, "uhid device created\nuhid device destroyed\nuhid device created\n");
}

TEST_F(UhidServerTest, EndsWithAMessageWhenTheUhidDescriptorCloses) {
  std::signal(SIGPIPE, SIG_IGN);  // the socket pair, unlike the uhid node, would raise it
  Start();
  ExpectEvent(UHID_CREATE2);
  kernel_->Close();
  thread_.join();
  EXPECT_FALSE(runOk_);
  EXPECT_EQ(runError_, "uhid closed");
}

}  // namespace
}  // namespace qel::sim

#endif
