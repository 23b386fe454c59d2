#include <gtest/gtest.h>

#include <QSslConfiguration>
#include <QTimer>
#include <QUrl>

#include "platform/Inet.h"
#include "retrieval/Retrieve.h"
#include "tests/support/FakeControlView.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TestAuthority.h"
#include "tests/support/WatchPage.h"
#include "view/frmMainControls.h"

using namespace std::chrono_literals;
namespace M = view::frmMain;
using Response = LocalHttpServer::Response;

namespace {

const QString Loading = QStringLiteral("Loading YouTube data. Please wait...");
const QString Loaded = QStringLiteral("YouTube data loaded. Click Download button to save the video.");
const QString Failed = QStringLiteral("Failed loading YouTube data! Check your internet connection and try again.");

class RetrieveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    inet.SetTimeLimit(1s);
    inet.SetSizeLimit(64 * 1024);
    view.SetText(M::LinkBox, "earlier link");
    view.SetText(M::InformationBox, "earlier information");
    view.SetText(M::StatusLine, "earlier status");
  }
  void Retrieve(const QString& address) {
    view.SetText(M::AddressBox, address);
    retrieval::Retrieve(view, inet, {SiteHost, ShortLinkHost});
  }
  LocalHttpServer server;
  ScopedProxyEnvironment proxy{server.Address()};
  platform::Inet inet;
  FakeControlView view{view::frmMainSpec};
};

// A server that never answers: only the cancel ends the request (a request that went on would
// outlast the test's time).
TEST_F(RetrieveTest, WindowStaysServedAndButtonsOffWhileWaitingAndACancelEndsTheWait) {
  server.Script("/watch?v=AB12", {.body = WatchPage, .delay = 1h});
  inet.SetTimeLimit(1h);
  bool sawBusyState = false;
  QTimer::singleShot(0, [&] {
    sawBusyState =
        !view.IsEnabled(M::RetrieveButton) && !view.IsEnabled(M::DownloadButton) && view.Text(M::StatusLine) == Loading;
    inet.Cancel();
  });
  Retrieve(WatchPageAddress);
  EXPECT_TRUE(sawBusyState);
  EXPECT_EQ(view.messages, QStringList{"[stop] Error: " + Failed});
  EXPECT_TRUE(view.IsEnabled(M::RetrieveButton));
}

// The mobile site's form: the player data as a JavaScript string, its brackets, quotes and
// anything beyond ASCII written as \xNN and \uNNNN escapes, the JSON's own escapes doubled.
QByteArray MobileString(const QByteArray& json) {
  QByteArray literal = "'";
  for (const QChar c : QString::fromUtf8(json)) {
    if (c.unicode() > 0x7e) {
      literal += "\\u" + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
    } else if (QByteArray("{}[]\"'=&<>").contains(char(c.unicode()))) {
      literal += "\\x" + QByteArray::number(c.unicode(), 16);
    } else {
      literal += c == u'\\' ? QByteArray("\\\\") : QByteArray(1, char(c.unicode()));
    }
  }
  return literal + "'";
}

QByteArray MobilePage(const QByteArray& value) {
  return "<html><head><title>Cats &amp; Dogs - YouTube</title></head><body><script "
         "nonce=\"x\">var ytInitialPlayerResponse = " +
         value + ";if (window.ytcsi) {window.ytcsi.tick('pdr', null, '');}</script></body></html>";
}

QByteArray With(QByteArray data, const QByteArray& from, const QByteArray& to) {
  EXPECT_TRUE(data.contains(from)) << from.toStdString();
  return data.replace(from, to);
}

const QByteArray Format18 =
    R"({"itag":18,"url":"https://rr1---sn-q4f.googlevideo.com/videoplayback?expire=1737383861\u0026itag=18\u0026source=youtube",)"
    R"("mimeType":"video/mp4; codecs=\"avc1.42001E, mp4a.40.2\"","qualityLabel":"360p"})";

QByteArray WithFormats(const QByteArray& formats) { return With(PlayerData, Format18, formats); }

QString TextWith(const QString& from, const QString& to) { return QString(TodayPageText).replace(from, to); }

const QString NoLink = QStringLiteral("YouTube data loaded, but the page holds no download link.");
const QString CannotPlay = QStringLiteral("YouTube data loaded, but the video cannot be played: ");

struct TodayCase {
  const char* name;
  QByteArray page;
  QString information = TodayPageText;  // T3 afterwards
  QString link = TodayPageLink;         // T1 afterwards; Download is enabled exactly when there is one
  QString status = Loaded;              // T2 afterwards
};

void PrintTo(const TodayCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const TodayCase TodayCases[] = {
    {"DesktopObject", TodayPage()},
    {"MobileEscapedString", MobilePage(MobileString(PlayerData))},
    {"MobileUpperCaseHex", MobilePage(MobileString(PlayerData).replace(":", "\\x3A").replace("?", "\\x3F").replace("\\x7b", "\\x7B"))},
    {"MobileLineContinuation", MobilePage(MobileString(PlayerData).insert(1, "\\\r\n"))},
    {"AssignmentOpensThePage", "ytInitialPlayerResponse = " + PlayerData + ";"},
    {"MobileJsonParse", MobilePage("JSON.parse(" + MobileString(PlayerData) + ")")},
    {"NullDecoyFirst", "<script>window[\"ytInitialPlayerResponse\"] = null;if (ytInitialPlayerResponse == null) {}</script>" +
                       TodayPage()},
    {"ObjectWithoutVideoDetailsSkipped", "<script>ytInitialPlayerResponse = {\"responseContext\":{}};</script>" + TodayPage()},
    {"FirstUsableAssignmentWins", TodayPage() + "<script>ytInitialPlayerResponse = " +
                                  With(PlayerData, "\"author\":\"bob\"", "\"author\":\"eve\"") + ";</script>"},
    {"LongerNameNotTaken", "<script>var notytInitialPlayerResponse = " +
                           With(PlayerData, "\"author\":\"bob\"", "\"author\":\"eve\"") + ";</script>" + TodayPage()},
    {"EndsAtJsonParse", "<title>Cats - YouTube</title><script>var ytInitialPlayerResponse = JSON.parse(",
     "Title: Cats - YouTube\r\n\r\n", "", NoLink},
    {"CutShortFallsBackToMarkers", "<title>Cats - YouTube</title><script>var ytInitialPlayerResponse = " +
                                   PlayerData.left(PlayerData.size() - 1), "Title: Cats - YouTube\r\n\r\n", "", NoLink},
    {"CipherOnly", TodayPage(WithFormats(R"({"itag":18,"signatureCipher":"s=AB\u0026sp=sig\u0026url=https://x.test/v"},)"
                                         R"({"itag":22,"cipher":"s=CD\u0026url=https://x.test/w"})")),
     TodayPageText, "", NoLink},
    {"NoFormats", TodayPage(With(PlayerData, "\"formats\":", "\"none\":")), TodayPageText, "", NoLink},
    {"FirstMp4WithoutItag18", TodayPage(WithFormats(
         R"({"itag":43,"url":"https://x.test/43","mimeType":"video/webm"},{"itag":22,"url":"https://x.test/22","mimeType":"video/mp4; codecs=\"avc1\""},)"
         R"({"itag":36,"url":"https://x.test/36","mimeType":"video/mp4"})")), TodayPageText, "https://x.test/22"},
    {"FirstOfAnyKind", TodayPage(WithFormats(
         R"({"itag":43,"signatureCipher":"url=https://x.test/c"},{"itag":43,"url":"https://x.test/43","mimeType":"video/webm"})")),
     TodayPageText, "https://x.test/43"},
    {"LocalFileNeverLinked", TodayPage(WithFormats(R"({"itag":18,"url":"file:///etc/passwd"})")), TodayPageText, "", NoLink},
    {"Unplayable", TodayPage(With(PlayerData, R"({"status":"OK")",
                                  R"({"status":"LOGIN_REQUIRED","reason":"Sign in to confirm your age")")),
     TodayPageText, "", CannotPlay + "Sign in to confirm your age"},
    {"UnplayableWithoutReason", TodayPage(With(PlayerData, R"({"status":"OK")", R"({"status":"UNPLAYABLE")")),
     TodayPageText, "", CannotPlay + "UNPLAYABLE"},
    {"Emoji", TodayPage(With(PlayerData, "Cats \\u0026 Dogs", "Cats \xf0\x9f\x98\x80 \\ud83d\\udc36")),
     TextWith("Cats & Dogs", QStringLiteral("Cats 😀 🐶"))},
    {"EmojiOnMobile", MobilePage(MobileString(With(PlayerData, "Cats \\u0026 Dogs", "Cats \xf0\x9f\x98\x80"))),
     TextWith("Cats & Dogs", QStringLiteral("Cats 😀"))},
    {"EscapedQuotes", TodayPage(With(PlayerData, "Cats \\u0026 Dogs", R"(\"Cats\" \\ <b>Dogs</b>)")),
     TextWith("Cats & Dogs", R"("Cats" \ <b>Dogs</b>)")},
    {"DateWithoutTime", TodayPage(With(PlayerData, "2009-10-24T18:45:00-07:00", "2009-10-24"))},
    {"NonTextKeysAbsent", TodayPage(With(With(PlayerData, R"("viewCount":"1234567")", R"("viewCount":1234567)"),
                                         R"("author":"bob")", R"("author":null)")),
     TextWith("User: bob\r\n\r\n", "").remove("Views: 1,234,567\r\n\r\n")},
    {"MissingKeysAbsent", TodayPage(With(PlayerData, R"("microformat":)", R"("elsewhere":)")),
     TextWith("Date: 2009-10-24\r\n\r\n", "").remove("Category: Film & Animation\r\n\r\n")},
    {"ShortViewCount", TodayPage(With(PlayerData, R"("viewCount":"1234567")", R"("viewCount":"123")")),
     TextWith("1,234,567", "123")},
};
// clang-format on

class TodayPageTest : public RetrieveTest, public ::testing::WithParamInterface<TodayCase> {};

// Each page after a retrieval that left a link: nothing of the earlier video may pass for this one's.
TEST_P(TodayPageTest, ShowsFieldsLinkAndStatus) {
  const TodayCase& c = GetParam();
  view.SetEnabled(M::DownloadButton, true);
  server.Script("/watch?v=AB12", {.body = c.page});
  Retrieve(WatchPageAddress);
  EXPECT_TRUE(view.messages.empty()) << view.messages.join(" | ").toStdString();
  EXPECT_EQ(view.Text(M::InformationBox), c.information);
  EXPECT_EQ(view.Text(M::LinkBox), c.link);
  EXPECT_EQ(view.Text(M::StatusLine), c.status);
  EXPECT_EQ(view.IsEnabled(M::DownloadButton), !c.link.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Pages, TodayPageTest, ::testing::ValuesIn(TodayCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Made once: each takes a few runs of openssl.
const TestAuthority& Trusted() {
  static const TestAuthority authority(SiteNames());
  return authority;
}

struct SecureCase {
  const char* name;
  QString address;
  QByteArray target;  // what the server is asked for inside the tunnel
  Response response;
  bool trusted = true;  // whether the site's certificate comes from the authority SSL_CERT_FILE names
};

void PrintTo(const SecureCase& c, std::ostream* os) { *os << c.name; }

const SecureCase SecureCases[] = {
    {"Desktop", "https://" + SiteHost + "/watch?v=AB12", "/watch?v=AB12", {.body = TodayPage()}},
    {"ShortLinkRedirected",
     "https://" + ShortLinkHost + "/AB12",
     "/AB12",
     {.status = 301, .headers = {{"Location", "https://" + SiteHost.toUtf8() + "/watch?v=AB12&feature=youtu.be"}}}},
    {"UntrustedCertificate", "https://" + SiteHost + "/watch?v=AB12", "/watch?v=AB12", {.body = TodayPage()}, false},
};

class SecureTest : public RetrieveTest, public ::testing::WithParamInterface<SecureCase> {};

// Through a TLS tunnel to the local server; only the authority that SSL_CERT_FILE names makes
// the site's certificate good, and nothing else may.
TEST_P(SecureTest, FetchesFromTrustedSitesOnly) {
  const SecureCase& c = GetParam();
  ASSERT_TRUE(Trusted().IsValid());
  const TestAuthority untrusted(SiteNames());
  ASSERT_TRUE(untrusted.IsValid());
  // Read by the first fetch, as when the program starts with it set.
  const ScopedEnvironment certificates{{"SSL_CERT_FILE", Trusted().CertificateFile().toUtf8()}};
  server.ServeTls((c.trusted ? Trusted() : untrusted).ServerConfiguration());
  server.Script(c.target, c.response);
  server.Script("/watch?v=AB12&feature=youtu.be", {.body = TodayPage()});
  Retrieve(c.address);
  // Beside the system's authorities, not in their place.
  const QList<QSslCertificate> trusted = QSslConfiguration::defaultConfiguration().caCertificates();
  for (const QSslCertificate& system : QSslConfiguration::systemCaCertificates()) ASSERT_TRUE(trusted.contains(system));
  // The page came through a tunnel, so over TLS: the proxy saw only the host.
  const auto requests = server.Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests[0].method, "CONNECT");
  EXPECT_EQ(requests[0].target, QUrl(c.address).host().toUtf8() + ":443");
  if (!c.trusted) {
    EXPECT_EQ(view.messages, QStringList{"[stop] Error: " + Failed});
    EXPECT_EQ(view.Text(M::InformationBox), "earlier information");
    EXPECT_FALSE(view.IsEnabled(M::DownloadButton));
    return;
  }
  EXPECT_TRUE(view.messages.empty()) << view.messages.join(" | ").toStdString();
  EXPECT_EQ(view.Text(M::InformationBox), TodayPageText);
  EXPECT_EQ(view.Text(M::LinkBox), TodayPageLink);
  EXPECT_EQ(view.Text(M::StatusLine), Loaded);
  EXPECT_TRUE(view.IsEnabled(M::DownloadButton));
}

INSTANTIATE_TEST_SUITE_P(Addresses, SecureTest, ::testing::ValuesIn(SecureCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Download was enabled by an earlier success; a failure disables it and keeps the earlier results.
// How a request fails is the transfer's concern: here any failure must end the same way.
TEST_F(RetrieveTest, FailureIsReportedAndKeepsEarlierResults) {
  server.Script("/watch?v=AB12", {.body = WatchPage});
  Retrieve(WatchPageAddress);
  ASSERT_TRUE(view.IsEnabled(M::DownloadButton));

  server.Script("/watch?v=AB12", {.status = 404, .body = WatchPage});
  Retrieve(WatchPageAddress);

  EXPECT_EQ(view.messages, QStringList{"[stop] Error: " + Failed});
  EXPECT_EQ(view.Text(M::StatusLine), Loading);
  EXPECT_EQ(view.Text(M::InformationBox), WatchPageText);
  EXPECT_EQ(view.Text(M::LinkBox), WatchPageLink);
  EXPECT_FALSE(view.IsEnabled(M::DownloadButton));
  EXPECT_TRUE(view.IsEnabled(M::RetrieveButton));
}

TEST_F(RetrieveTest, RejectedAddressesAreNeverFetched) {
  for (const QString& address : QStringList{"", "https://" + SiteHost + "/channel/AB12"}) {
    view.messages.clear();
    view.SetEnabled(M::DownloadButton, true);
    Retrieve(address);
    EXPECT_EQ(view.messages, QStringList{"[stop] Error: Invalid YouTube URL!"});
    EXPECT_EQ(view.Text(M::StatusLine), "earlier status");
    EXPECT_FALSE(view.IsEnabled(M::DownloadButton));
    EXPECT_TRUE(view.IsEnabled(M::RetrieveButton));
  }
  EXPECT_TRUE(server.Requests().empty());
}

}  // namespace
