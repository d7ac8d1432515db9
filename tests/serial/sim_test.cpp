// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>
#include <tuple>

#include "ports/comport.h"
#include "platform/system/termiosdevice.h"
#include "serial/serialcomm.h"
#include "tests/support/pty.h"
#include "tests/support/waituntil.h"
#include "tools/sim/options.h"
#include "tools/sim/ptylink.h"
#include "tools/sim/samples.h"
#include "tools/sim/streamer.h"

namespace kurvex::sim {
namespace {

Options Parse(const std::vector<std::string>& args) {
  const ParseResult result = ParseOptions(args);
  if (const auto* problem = std::get_if<std::string>(&result)) {
    ADD_FAILURE() << *problem;
    return {};
  }
  return std::get<Options>(result);
}

std::string Problem(const std::vector<std::string>& args) {
  const ParseResult result = ParseOptions(args);
  const auto* problem = std::get_if<std::string>(&result);
  return problem != nullptr ? *problem : "";
}

// The options the arguments give, as one text: wave and line end by their ordinals.
std::string Parsed(const std::vector<std::string>& args) {
  const Options o = Parse(args);
  std::ostringstream text;
  text << "port " << o.Port << " rate " << o.Rate << " wave " << int(o.Shape) << " count " << o.Count << " end "
       << int(o.End) << " values " << o.Values << " bad " << o.BadLines << (o.Help ? " help" : "");
  for (const std::string& name : o.Names) text << " " << name;
  return text.str();
}

TEST(SimOptions, DefaultsAndEveryOption) {
  EXPECT_EQ(Parsed({}), "port 5 rate 2000 wave 0 count 0 end 0 values 1 bad 0");
  EXPECT_EQ(Parsed({"--port", "12", "--rate=50.5", "--wave", "steps", "--count", "9", "--lf-only", "--bad-lines=3"}),
            "port 12 rate 50.5 wave 3 count 9 end 1 values 1 bad 3");
  EXPECT_EQ(Parsed({"--wave=noise", "--line-end", "cr", "--help"}),
            "port 5 rate 2000 wave 2 count 0 end 2 values 1 bad 0 help");
  EXPECT_EQ(Parsed({"--lf-only", "--line-end=crlf", "--values", "3"}),
            "port 5 rate 2000 wave 0 count 0 end 0 values 3 bad 0");
  // Names alone give the number of values; with --values the two agree.
  EXPECT_EQ(Parsed({"--names=a,Temp_2,b.x"}), "port 5 rate 2000 wave 0 count 0 end 0 values 3 bad 0 a Temp_2 b.x");
  EXPECT_EQ(Parse({"--names", "a,b", "--values", "2"}).Values, 2u);
  EXPECT_NE(Usage().find("--bad-lines"), std::string::npos);
  const Options answering = Parse({"--answer", "--answer-delay=250"});
  EXPECT_TRUE(answering.Answer);
  EXPECT_EQ(answering.AnswerDelayMs, 250u);
  EXPECT_FALSE(Parse({}).Answer);
}

TEST(SimOptions, RejectsWhatCannotBeMeant) {
  const std::string tooLong(65, 'x');
  // Names that the line syntax would read otherwise, too.
  const std::vector<std::vector<std::string>> wrong = {
      {"--port"}, {"--port", "-1"}, {"--port", "70000"}, {"--port", "5x"}, {"--rate", "0"}, {"--rate", "nan"},
      {"--rate", "inf"}, {"--rate", "2000000"}, {"--count", "0"}, {"--bad-lines", "0"}, {"--wave", "square"},
      {"--lf-only=yes"}, {"--line-end", "lfcr"}, {"--values", "0"}, {"--values", "101"},
      {"--values", "3", "--names", "a,b"}, {"--names", "a,"}, {"--names", ",a"}, {"--names", "a b"},
      {"--names", "a:b"}, {"--names", "a=b"}, {"--names", "a;b"}, {"--names", "1a"}, {"--names", ""},
      {"--names", tooLong}, {"--speed", "1"}, {"5"}, {"--answer=yes"}, {"--answer-delay", "100"},
      {"--answer", "--answer-delay", "-1"}, {"--answer", "--answer-delay", "60001"}, {"--answer", "--answer-delay"}};
  for (const auto& args : wrong) EXPECT_NE(Problem(args), "") << args[0] << " " << args.back();
  EXPECT_EQ(Problem({"--names", std::string(64, 'x')}), "");
}

TEST(SimSamples, WavesStayInRangeAndRepeat) {
  for (const Wave wave : {Wave::Sine, Wave::Ramp, Wave::Noise, Wave::Steps}) {
    std::set<double> distinct;
    for (std::uint64_t i = 0; i < 3000; ++i) {
      const double value = WaveValue(wave, i);
      ASSERT_GE(value, 0.0);
      ASSERT_LT(value, 10.0);
      distinct.insert(value);
    }
    EXPECT_GT(distinct.size(), 4u) << int(wave);
  }
  const std::tuple<Wave, std::uint64_t, double> points[] = {
      {Wave::Sine, 0, 5.0},      {Wave::Sine, 250, 9.5},     {Wave::Sine, 1250, 9.5},  {Wave::Ramp, 999, 9.99},
      {Wave::Ramp, 1000, 0.0},   {Wave::Steps, 199, 1.0},    {Wave::Steps, 200, 3.0},  {Wave::Steps, 999, 9.0}};
  for (const auto& [wave, index, value] : points) EXPECT_DOUBLE_EQ(WaveValue(wave, index), value) << int(wave) << " " << index;
  // Noise is fixed by the index, so runs are reproducible.
  EXPECT_EQ(WaveValue(Wave::Noise, 17), WaveValue(Wave::Noise, 17));
  EXPECT_NE(WaveValue(Wave::Noise, 17), WaveValue(Wave::Noise, 18));
}

TEST(SimSamples, LinesAreThreeDecimalsWithTheChosenEnd) {
  Options options;
  options.Shape = Wave::Ramp;
  EXPECT_EQ(SampleLine(options, 125), "1.250\r\n");
  options.End = LineEnd::Lf;
  EXPECT_EQ(SampleLine(options, 0), "0.000\n");
  options.BadLines = 3;
  EXPECT_EQ(SampleLine(options, 1), "0.010\n");
  EXPECT_EQ(SampleLine(options, 2), "n/a\n");
  EXPECT_EQ(SampleLine(options, 5), "n/a\n");
  EXPECT_EQ(SampleLine(options, 6), "0.060\n");
}

TEST(SimSamples, SeveralValuesAPhaseApartNamedOrNot) {
  Options options;
  options.Shape = Wave::Ramp;
  options.Values = 4;
  options.End = LineEnd::Cr;
  EXPECT_EQ(SampleLine(options, 100), "1.000;3.500;6.000;8.500\r");
  options.Values = 2;
  options.Names = {"a", "b"};
  options.End = LineEnd::CrLf;
  EXPECT_EQ(SampleLine(options, 0), "a:0.000;b:5.000\r\n");
  options.BadLines = 1;
  EXPECT_EQ(SampleLine(options, 0), "n/a\r\n");
}

void MakeRaw(int fd) {
  termios raw{};
  tcgetattr(fd, &raw);
  cfmakeraw(&raw);
  tcsetattr(fd, TCSANOW, &raw);
}

TEST(SimStream, PacedCountOfLinesReachesTheReader) {
  test::PtyPair pty;
  MakeRaw(pty.Slave());
  Options options;
  options.Rate = 200;
  options.Count = 40;
  options.Shape = Wave::Ramp;
  std::atomic<bool> stop{false};
  const auto start = std::chrono::steady_clock::now();
  const StreamResult result = Stream(options, pty.Master(), stop, 0);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(result.Lines, 40u);
  EXPECT_EQ(result.Dropped, 0u);
  // 40 lines at 200/s: the first at once, the last after 195 ms.
  EXPECT_GT(seconds, 0.15);
  EXPECT_LT(seconds, 1.0);
  std::string expected;
  for (std::uint64_t i = 0; i < 40; ++i) expected += SampleLine(options, i);
  std::string got;
  char buffer[4096];
  while (got.size() < expected.size()) {
    const ssize_t n = read(pty.Slave(), buffer, sizeof buffer);
    ASSERT_GT(n, 0);
    got.append(buffer, static_cast<std::size_t>(n));
  }
  EXPECT_EQ(got, expected);
}

TEST(SimStream, FullPtyDropsWholeLinesAndNeverBlocks) {
  test::PtyPair pty;
  MakeRaw(pty.Slave());
  Options options;
  options.Rate = 1'000'000;
  options.Count = 200'000;  // far more than a pty holds
  std::atomic<bool> stop{false};
  const auto start = std::chrono::steady_clock::now();
  const StreamResult result = Stream(options, pty.Master(), stop, 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(result.Lines, 200'000u);
  EXPECT_GT(result.Dropped, 0u);
  // What did get through is whole lines; only the very last one may be cut
  // by the end of the run.
  std::string got;
  char buffer[65536];
  fcntl(pty.Slave(), F_SETFL, O_NONBLOCK);
  for (ssize_t n; (n = read(pty.Slave(), buffer, sizeof buffer)) > 0;) got.append(buffer, static_cast<std::size_t>(n));
  ASSERT_GT(got.size(), 1000u);
  const std::size_t lastEnd = got.rfind("\r\n");
  std::size_t lines = 0;
  for (std::size_t start = 0; start < lastEnd; ++lines) {
    const std::size_t end = got.find("\r\n", start);
    const std::string line = got.substr(start, end - start);
    ASSERT_EQ(line.size(), 5u) << "torn line '" << line << "' at " << start;
    ASSERT_EQ(line[1], '.');
    start = end + 2;
  }
  EXPECT_EQ(lines + result.Dropped, 200'000u);
}

TEST(SimStream, StopFlagEndsAnEndlessStream) {
  test::PtyPair pty;
  Options options;
  options.Rate = 10;
  std::atomic<bool> stop{false};
  std::atomic<std::chrono::steady_clock::rep> stoppedAt{0};
  std::thread stopper([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    stoppedAt = std::chrono::steady_clock::now().time_since_epoch().count();
    stop = true;
  });
  const StreamResult result = Stream(options, pty.Master(), stop);  // the stop also ends the drain
  const auto returnedAt = std::chrono::steady_clock::now();
  stopper.join();
  EXPECT_GE(result.Lines, 1u);
  // Seen within a nap of the loop, not at a line's or the drain's end.
  const std::chrono::steady_clock::time_point stopped{std::chrono::steady_clock::duration(stoppedAt.load())};
  EXPECT_LT(returnedAt - stopped, std::chrono::milliseconds(500));
}

TEST(SimStream, NobodyListeningDropsLinesSoALaterClientGetsFreshOnes) {
  test::TempConfigHome home;
  PtyLink link(9);
  ASSERT_EQ(link.Error(), "");
  Options options;
  options.Rate = 100'000;
  options.Count = 50;
  std::atomic<bool> stop{false};
  const StreamResult unheard = Stream(options, link.Master(), stop, 0);
  EXPECT_EQ(unheard.Dropped, 50u);

  int error = 0;
  auto client = OpenTermiosDevice(link.SlavePath(), error);
  ASSERT_TRUE(client) << error;
  std::uint8_t buffer[4096];
  EXPECT_EQ(client->Read(buffer, sizeof buffer), 0);
  const StreamResult heard = Stream(options, link.Master(), stop, 0);
  EXPECT_EQ(heard.Dropped, 0u);
  std::string got;
  for (int i = 0; i < 200 && got.size() < 50 * 7; ++i) {
    const long n = client->Read(buffer, sizeof buffer);
    if (n > 0) got.append(reinterpret_cast<char*>(buffer), static_cast<std::size_t>(n));
    else std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_EQ(got.substr(0, 7), SampleLine(options, 0));
  EXPECT_EQ(got.size(), 50u * 7u);
}

TEST(SimPtyLink, LinksThePtyAndRemovesOnlyItsOwnLink) {
  test::TempConfigHome home;
  std::filesystem::path linkPath;
  {
    PtyLink link(9);
    ASSERT_EQ(link.Error(), "");
    linkPath = link.LinkPath();
    EXPECT_EQ(linkPath, ComPortLink(9));
    EXPECT_EQ(std::filesystem::read_symlink(linkPath), link.SlavePath());
    // A second simulator on the same port is refused and leaves the link.
    PtyLink clash(9);
    EXPECT_NE(clash.Error(), "");
  }
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(linkPath)));

  // A leftover link to a vanished pty is taken over; a user's link is not.
  std::filesystem::create_symlink("/dev/pts/999999", ComPortLink(9));
  {
    PtyLink link(9);
    EXPECT_EQ(link.Error(), "");
  }
  std::filesystem::create_symlink("/dev/ttyUSB9", ComPortLink(9));
  {
    PtyLink link(9);
    EXPECT_NE(link.Error(), "");
  }
  EXPECT_EQ(std::filesystem::read_symlink(ComPortLink(9)), "/dev/ttyUSB9");
}

// The real program, run as a user would.
class SimProgram : public ::testing::Test {
 protected:
  pid_t Start(const std::vector<std::string>& args) {
    const pid_t pid = fork();
    if (pid == 0) {
      std::vector<char*> argv{const_cast<char*>(KURVEX_SIM_PATH)};
      for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
      argv.push_back(nullptr);
      if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr)) _exit(126);
      execv(KURVEX_SIM_PATH, argv.data());
      _exit(127);
    }
    return pid;
  }

  static int ExitCode(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  static bool LinkExists(unsigned portNo) {
    return std::filesystem::exists(std::filesystem::symlink_status(ComPortLink(portNo)));
  }

  // What a component received, with when each block came; it delivers on
  // its reader thread, as these tests run no event loop.
  struct Delivery {
    std::string Text() {
      const std::lock_guard<std::mutex> guard(lock);
      return text;
    }
    std::mutex lock;
    std::string text;
    std::vector<std::chrono::steady_clock::time_point> arrivals;
  };

  // Opens COM`port` at 115200 baud without flow control into `delivery`.
  static void Open(TSerialComm& comm, std::uint16_t port, Delivery& delivery) {
    comm.OnAfterReceive = [&delivery](TBaseIO&, const std::uint8_t* bytes, std::uint32_t count) {
      const std::lock_guard<std::mutex> guard(delivery.lock);
      delivery.text.append(reinterpret_cast<const char*>(bytes), count);
      delivery.arrivals.push_back(std::chrono::steady_clock::now());
    };
    comm.SetUseMainThread(false);
    comm.SetComPortNo(port);
    comm.SetBaudRate(115200);
    comm.SetStreamProtocol(spNone);
    comm.SetActive(true);
  }

  test::TempConfigHome m_home;
};

TEST_F(SimProgram, StreamsToAComponentAndRemovesItsLinkAtTheEndOfCount) {
  const pid_t pid = Start({"--port", "5", "--rate", "500", "--count", "100", "--wave", "ramp"});
  ASSERT_TRUE(test::WaitUntil([] { return LinkExists(5); }));
  // The bytes come through the component's own delivery, on its reader
  // thread: the simulator's hang-up at the end closes
  // the component from that thread, so nothing may read its device directly.
  Delivery delivery;
  TSerialComm comm;
  comm.OnFatalError = [](TBaseIO&, std::uint32_t, std::uint32_t, const std::string&, bool& raise) {
    raise = false;  // the hang-up at the end is expected
  };
  Open(comm, 5, delivery);
  ASSERT_TRUE(comm.Active());
  // Lines sent before the open are gone, as on a real line; from the open
  // on, every line arrives whole and in order.
  test::WaitUntil([&] { return delivery.Text().ends_with("0.990\r\n"); });
  EXPECT_EQ(ExitCode(pid), 0);
  comm.SetActive(false);
  const std::string text = delivery.Text();
  ASSERT_TRUE(text.ends_with("0.990\r\n")) << text;
  ASSERT_EQ(text.size() % 7, 0u) << text;
  const int first = std::stoi(text.substr(2, 3));
  for (std::size_t line = 0; line < text.size() / 7; ++line) {
    char expected[8];
    std::snprintf(expected, sizeof expected, "0.%03d\r\n", first + 10 * static_cast<int>(line));
    EXPECT_EQ(text.substr(line * 7, 7), expected);
  }
  EXPECT_FALSE(LinkExists(5));
}

TEST_F(SimProgram, SigtermRemovesTheLinkAndBadArgumentsFailWithoutLinking) {
  const pid_t pid = Start({"--port", "8"});
  ASSERT_TRUE(test::WaitUntil([] { return LinkExists(8); }));
  kill(pid, SIGTERM);
  EXPECT_EQ(ExitCode(pid), 0);
  EXPECT_FALSE(LinkExists(8));

  EXPECT_EQ(ExitCode(Start({"--port", "4", "--wave", "square"})), 2);
  EXPECT_FALSE(LinkExists(4));
}

TEST_F(SimProgram, AnswersQueriesSentThroughTheQueueEachAfterItsDelay) {
  const pid_t pid = Start({"--port", "6", "--answer", "--answer-delay", "100", "--wave", "ramp"});
  ASSERT_TRUE(test::WaitUntil([] { return LinkExists(6); }));
  Delivery delivery;
  TSerialComm comm;
  Open(comm, 6, delivery);
  ASSERT_TRUE(comm.Active());
  const auto got = [&] { return delivery.Text(); };
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(comm.Queue("MEAS?\r\n"));
  ASSERT_TRUE(test::WaitUntil([&] { return got() == "0.000\r\n"; })) << got();
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  // Three at once are answered one after another, 100 ms each.
  ASSERT_TRUE(comm.Queue("read?\n*idn?\r  Volt?\r\n"));
  ASSERT_TRUE(test::WaitUntil([&] { return got().ends_with("ERR: unknown command\r\n"); })) << got();
  EXPECT_EQ(got(), "0.000\r\n0.010\r\nKurvex,Simulator,0," KURVEX_VERSION "\r\nERR: unknown command\r\n");
  {
    const std::lock_guard<std::mutex> guard(delivery.lock);
    EXPECT_GE(delivery.arrivals.back() - delivery.arrivals.front(), std::chrono::milliseconds(300));
  }
  comm.SetActive(false);
  kill(pid, SIGTERM);
  EXPECT_EQ(ExitCode(pid), 0);
  EXPECT_FALSE(LinkExists(6));
}

}  // namespace
}  // namespace kurvex::sim
