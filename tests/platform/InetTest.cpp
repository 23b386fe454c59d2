#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTimer>

#include "platform/Inet.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TestAuthority.h"

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

TEST_F(InetTest, CancelEndsRequestInProgress) {
  inet.SetTimeLimit(20s);
  QTimer::singleShot(200ms, [this] { inet.Cancel(); });
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(Fetch({.delay = 1h}), std::nullopt);
  EXPECT_LT(clock.elapsed(), 10'000);  // ended by the cancel, not by the time limit
}

const QByteArray ChunkedHead = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";

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
    {"RedirectNotFollowed", {.status = 300, .body = "<title>Choose</title>"}, std::nullopt},
    {"RedirectToLocalFileRefused", {.status = 302, .headers = {{"Location", "file:///etc/hostname"}}}, std::nullopt},
    {"EndlessRedirects",
     {.status = 302, .headers = {{"Location", "http://www.youtube.com/watch?v=AB12"}}},
     std::nullopt},
    {"Gzipped",
     {.headers = {{"Content-Encoding", "gzip"}}, .body = Gzip("zipped page")},
     QStringLiteral("zipped page")},
    {"GzipInflatesOverSizeLimit",
     {.headers = {{"Content-Encoding", "gzip"}}, .body = Gzip(QByteArray(5000, 'x'))},
     std::nullopt},
    {"ChunkNoEnd", {.raw = ChunkedHead + "4\r\npage\r\n"}, std::nullopt},
    {"ChunkCutShort", {.raw = ChunkedHead + "64\r\npage"}, std::nullopt},
    {"BodyShorterThanDeclared", {.raw = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npage"}, std::nullopt},
    {"NotHttp", {.raw = "SSH-2.0-OpenSSH_9.2\r\n"}, std::nullopt},
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

TEST_F(InetTest, RedirectMayGoFromHttpToHttps) {
  if (!QSslSocket::supportsSsl()) GTEST_SKIP() << "no TLS backend";
  // No TLS here: the tunnel request through the proxy shows that the redirect was followed.
  EXPECT_EQ(Fetch({.status = 301, .headers = {{"Location", "https://www.youtube.com/watch?v=AB12"}}}), std::nullopt);
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].method, "CONNECT");
  EXPECT_EQ(requests[1].target, "www.youtube.com:443");
}

TEST_F(InetTest, RequestsOnlyWebAddresses) {
  for (const char* address :
       {"file:///etc/hostname", "data:text/plain,hello", "qrc:/page", "", "  http://www.youtube.com/watch?v=AB12",
        "www.youtube.com/watch?v=AB12", "http:///watch?v=AB12"}) {
    EXPECT_EQ(inet.OpenURL(QString::fromLatin1(address)), std::nullopt) << address;
  }
  EXPECT_TRUE(server.Requests().empty());
}

// The file SSL_CERT_FILE names adds its authorities to the system's, which stay trusted.
TEST(TrustedCertificates, ComeFromTheFileSslCertFileNames) {
  const TestAuthority authority({QStringLiteral("www.youtube.com")});
  ASSERT_TRUE(authority.IsValid());
  const std::pair<QByteArray, qsizetype> cases[] = {{{}, 0},
                                                    {"", 0},
                                                    {"/nonexistent/authority.pem", 0},
                                                    {"/etc/hostname", 0},
                                                    {authority.CertificateFile().toUtf8(), 1}};
  for (const auto& [file, added] : cases) {
    const ScopedEnvironment certificates{{"SSL_CERT_FILE", file}};
    EXPECT_EQ(platform::TrustCertificatesFromEnvironment(), added) << file.toStdString();
  }
  const QList<QSslCertificate> trusted = QSslConfiguration::defaultConfiguration().caCertificates();
  EXPECT_TRUE(trusted.contains(QSslCertificate::fromPath(authority.CertificateFile()).value(0)));
  for (const QSslCertificate& system : QSslConfiguration::systemCaCertificates()) EXPECT_TRUE(trusted.contains(system));
}

}  // namespace
