#include <gtest/gtest.h>

#include <QTimer>

#include "platform/Inet.h"
#include "tests/support/LocalHttpServer.h"

using namespace std::chrono_literals;
using Response = LocalHttpServer::Response;

namespace {

const QString Page = QStringLiteral("http://www.youtube.com/watch?v=AB12");

class InetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    inet.SetTimeLimit(1s);
    inet.SetSizeLimit(1000);
  }
  std::optional<QString> Fetch(const Response& response) {
    server.Script("/watch?v=AB12", response);
    return inet.OpenURL(Page);
  }

  LocalHttpServer server;
  ScopedProxyEnvironment proxy{server.Address()};
  platform::Inet inet;
};

struct BodyCase {
  const char* name;
  Response response;
  std::optional<QString> expected;
  std::chrono::milliseconds totalTimeLimit = 20s;  // past the watchdog: a silent server needs the limit without data
};

void PrintTo(const BodyCase& c, std::ostream* os) { *os << c.name; }

const BodyCase BodyCases[] = {
    {"AtSizeLimit", {.body = QByteArray(1000, 'x')}, QString(1000, 'x')},
    // Dripping: only the declared length can end it in time.
    {"OverDeclaredSizeLimit", {.body = QByteArray(1001, 'x'), .dripBytes = 1, .dripInterval = 100ms}, std::nullopt},
    {"OverSizeLimitUndeclared", {.body = QByteArray(5000, 'x'), .contentLength = false}, std::nullopt},
    {"NotFound", {.status = 404, .body = "<title>Gone</title>"}, std::nullopt},
    {"EmptyBody", {}, QString()},
    {"DeclaredCharset",
     {.headers = {{"Content-Type", "text/html; charset=ISO-8859-1"}}, .body = "caf\xe9"},
     QStringLiteral("café")},
    {"QuotedCharset",
     {.headers = {{"Content-Type", "text/html;Charset=\"windows-1252\""}}, .body = "\x80 5"},
     QStringLiteral("€ 5")},
    {"Utf8WithoutCharset", {.headers = {{"Content-Type", "text/html"}}, .body = "caf\xc3\xa9"}, QStringLiteral("café")},
    {"UnknownCharsetReadAsUtf8",
     {.headers = {{"Content-Type", "text/html; charset=x-bogus"}}, .body = "caf\xc3\xa9"},
     QStringLiteral("café")},
    {"InvalidBytesReplaced",
     {.body = "a\xff"
              "b\xc3"},
     QStringLiteral("a\uFFFDb\uFFFD")},
    {"RedirectFollowed",
     {.status = 302, .headers = {{"Location", "http://www.youtube.com/watch?v=CD34"}}},
     QStringLiteral("moved here")},
    {"RedirectToLocalFileRefused", {.status = 302, .headers = {{"Location", "file:///etc/hostname"}}}, std::nullopt},
    {"GzipInflatesOverSizeLimit",
     {.headers = {{"Content-Encoding", "gzip"}}, .body = Gzip(QByteArray(5000, 'x'))},
     std::nullopt},
    {"BodyShorterThanDeclared", {.raw = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npage"}, std::nullopt},
    {"SilentServer", {.delay = 1h}, std::nullopt},
    // Each byte comes well within the time limit without data; the whole would take 20 s.
    {"DrippingServer", {.body = QByteArray(100, 'x'), .dripBytes = 1, .dripInterval = 200ms}, std::nullopt, 1500ms},
};

class InetBodyTest : public InetTest, public ::testing::WithParamInterface<BodyCase> {};

// Whatever the server does, the request ends within the limits and the caller's timers run meanwhile.
TEST_P(InetBodyTest, GivesBodyTextOrNothing) {
  server.Script("/watch?v=CD34", {.body = "moved here"});
  inet.SetTotalTimeLimit(GetParam().totalTimeLimit);
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
  ticker.start(0);
  bool overran = false;
  QTimer watchdog;
  QObject::connect(&watchdog, &QTimer::timeout, [&] {
    overran = true;
    inet.Cancel();
  });
  watchdog.start(10s);
  EXPECT_EQ(Fetch(GetParam().response), GetParam().expected);
  EXPECT_GT(ticks, 0);
  EXPECT_FALSE(overran);
}

INSTANTIATE_TEST_SUITE_P(Responses, InetBodyTest, ::testing::ValuesIn(BodyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InetTest, RequestsOnlyWebAddresses) {
  for (const char* address :
       {"file:///etc/hostname", "data:text/plain,hello", "qrc:/page", "", "  http://www.youtube.com/watch?v=AB12",
        "www.youtube.com/watch?v=AB12", "http:///watch?v=AB12"}) {
    EXPECT_EQ(inet.OpenURL(QString::fromLatin1(address)), std::nullopt) << address;
  }
  EXPECT_TRUE(server.Requests().empty());
}

}  // namespace
