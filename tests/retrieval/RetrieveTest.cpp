#include <gtest/gtest.h>

#include <QTimer>

#include "platform/Inet.h"
#include "retrieval/Retrieve.h"
#include "tests/support/FakeControlView.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/WatchPage.h"

using namespace std::chrono_literals;

namespace {

const QString Loading = QStringLiteral("Loading YouTube data. Please wait...");
const QString Loaded = QStringLiteral("YouTube data loaded. Click Download button to save the video.");
const QString Failed = QStringLiteral("Failed loading YouTube data! Check your internet connection and try again.");

QByteArray Without(const QByteArray& marker) { return QByteArray(WatchPage).replace(marker, "removed"); }

class RetrieveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    inet.SetTimeLimit(1s);
    inet.SetSizeLimit(64 * 1024);
    view.SetText("T1", "earlier link");
    view.SetText("T3", "earlier information");
    view.SetText("T2", "earlier status");
  }
  void Retrieve(const QString& address) {
    view.SetText("T4", address);
    retrieval::Retrieve(view, inet, SiteHost);
  }
  LocalHttpServer server;
  ScopedProxyEnvironment proxy{server.Address()};
  platform::Inet inet;
  FakeControlView view{view::frmMainSpec};
};

TEST_F(RetrieveTest, WindowStaysServedAndButtonsOffWhileWaiting) {
  server.Script("/watch?v=AB12", {.body = WatchPage, .delay = 300ms});
  bool sawBusyState = false;
  QTimer::singleShot(
      100ms, [&] { sawBusyState = !view.IsEnabled("B1") && !view.IsEnabled("B2_0") && view.Text("T2") == Loading; });
  Retrieve(WatchPageAddress);
  EXPECT_TRUE(sawBusyState);
  EXPECT_TRUE(view.IsEnabled("B1"));
}

// The earlier page's results must never pass for this page's.
TEST_F(RetrieveTest, AbsentFieldLeavesItsPartOut) {
  const struct {
    QByteArray page;
    QString information;  // what T3 holds afterwards
    QString link;         // what T1 holds afterwards; Download is enabled exactly when there is one
  } cases[] = {
      {Without("<title>"), WatchPageText.mid(WatchPageText.indexOf("User: ")), WatchPageLink},
      {Without("VideoWatch/VideoCategoryLink"), QString(WatchPageText).remove("Category: Film && Animation\r\n\r\n"),
       WatchPageLink},
      {Without("</span></div>"), WatchPageText.left(WatchPageText.indexOf("Description: ")), WatchPageLink},
      {Without("&title="), WatchPageText, ""},
  };
  for (const auto& c : cases) {
    server.Script("/watch?v=AB12", {.body = c.page});
    Retrieve(WatchPageAddress);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(view.Text("T3"), c.information);
    EXPECT_EQ(view.Text("T1"), c.link);
    const bool linked = !c.link.isEmpty();
    EXPECT_EQ(view.Text("T2"), linked ? Loaded : "YouTube data loaded, but the page holds no download link.");
    EXPECT_EQ(view.IsEnabled("B2_0"), linked);
  }
}

// A page of the largest size allowed, whose title and link run for megabytes without a break.
TEST_F(RetrieveTest, HugeFieldsArriveWhole) {
  const QByteArray huge(6 * 1024 * 1024, 'x');
  server.Script("/watch?v=AB12", {.body = QByteArray(WatchPage)
                                              .replace("YouTube - Cats &amp; Dogs", huge)
                                              .replace("video_id=AB12", "video_id=" + huge)});
  inet.SetSizeLimit(16 * 1024 * 1024);
  Retrieve(WatchPageAddress);
  EXPECT_EQ(view.Text("T3"), QString(WatchPageText).replace("Cats &amp; Dogs", huge));
  EXPECT_EQ(view.Text("T1"), QString(WatchPageLink).replace("AB12", huge));
}

// Download was enabled by an earlier success; a failure disables it and keeps the earlier results.
// How a request fails is the transfer's concern: here any failure must end the same way.
TEST_F(RetrieveTest, FailureIsReportedAndKeepsEarlierResults) {
  server.Script("/watch?v=AB12", {.body = WatchPage});
  Retrieve(WatchPageAddress);
  ASSERT_TRUE(view.IsEnabled("B2_0"));

  server.Script("/watch?v=AB12", {.status = 404, .body = WatchPage});
  Retrieve(WatchPageAddress);

  EXPECT_EQ(view.messages, QStringList{"[stop] Error: " + Failed});
  EXPECT_EQ(view.Text("T2"), Loading);
  EXPECT_EQ(view.Text("T3"), WatchPageText);
  EXPECT_EQ(view.Text("T1"), WatchPageLink);
  EXPECT_FALSE(view.IsEnabled("B2_0"));
  EXPECT_TRUE(view.IsEnabled("B1"));
}

TEST_F(RetrieveTest, RejectedAddressesAreNeverFetched) {
  for (const QString& address :
       QStringList{"", "https://" + SiteHost + "/watch?v=AB12", "http://video.test/watch?v=AB12"}) {
    view.messages.clear();
    view.SetEnabled("B2_0", true);
    Retrieve(address);
    EXPECT_EQ(view.messages, QStringList{"[stop] Error: Invalid YouTube URL!"});
    EXPECT_EQ(view.Text("T2"), "earlier status");
    EXPECT_FALSE(view.IsEnabled("B2_0"));
    EXPECT_TRUE(view.IsEnabled("B1"));
  }
  EXPECT_TRUE(server.Requests().empty());
}

}  // namespace
