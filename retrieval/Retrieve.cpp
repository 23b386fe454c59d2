#include "retrieval/Retrieve.h"

#include "platform/DoEvents.h"
#include "platform/Inet.h"
#include "retrieval/Extractors.h"
#include "retrieval/InformationText.h"
#include "retrieval/PlayerData.h"
#include "retrieval/SiteAddresses.h"
#include "view/ControlView.h"
#include "view/frmMainControls.h"

namespace retrieval {
namespace {

constexpr int ChunkSize = 1024;

// OpenURL has already read the whole page, so the first chunk is empty and the loop runs once.
// That one pass of the message loop delivers the clicks that queued during the fetch while
// Retrieve and Download are still disabled, so that a click on either made meanwhile is dropped
// instead of starting another fetch or a download of the previous link.
void ReadRemainingChunks(platform::Inet& Inet1, QString& page) {
  for (;;) {
    const QString chunk = Inet1.GetChunk(ChunkSize);
    platform::DoEvents();
    if (chunk.isEmpty()) return;
    page += chunk;
  }
}

// What the link box gets: the page's own address for the video, or one built from its download
// query; nothing when the site will not play the video.
std::optional<QString> LinkOf(const VideoInfo& info, const QString& videoSiteHost) {
  if (info.Unplayable) return std::nullopt;
  if (info.DirectLink) return info.DirectLink;
  if (info.DownloadQuery) return DownloadLink(videoSiteHost, *info.DownloadQuery);
  return std::nullopt;
}

void LoadWatchPage(view::ControlView& frmMain, platform::Inet& Inet1, const QString& address,
                   const QString& videoSiteHost) {
  frmMain.SetText(view::frmMain::StatusLine, QStringLiteral("Loading YouTube data. Please wait..."));
  Inet1.Cancel();
  // A failed request reads as an empty page, and so gets the same message.
  QString page = Inet1.OpenURL(address).value_or(QString());
  if (page.isEmpty()) {
    frmMain.ShowError(QStringLiteral("Failed loading YouTube data! Check your internet connection and try again."));
    return;
  }
  ReadRemainingChunks(Inet1, page);
  const VideoInfo info = ReadVideoInfo(page);
  frmMain.SetText(view::frmMain::InformationBox, InformationText(info));
  const std::optional<QString> link = LinkOf(info, videoSiteHost);
  // Without a link of its own, the page must not leave the previous video's link to be
  // downloaded in its name.
  if (!link) {
    frmMain.SetText(view::frmMain::LinkBox, QString());
    frmMain.SetText(view::frmMain::StatusLine,
                    info.Unplayable
                        ? QStringLiteral("YouTube data loaded, but the video cannot be played: ") + *info.Unplayable
                        : QStringLiteral("YouTube data loaded, but the page holds no download link."));
    return;
  }
  frmMain.SetText(view::frmMain::LinkBox, *link);
  frmMain.SetText(view::frmMain::StatusLine,
                  QStringLiteral("YouTube data loaded. Click Download button to save the video."));
  frmMain.SetEnabled(view::frmMain::DownloadButton, true);
}

}  // namespace

void Retrieve(view::ControlView& frmMain, platform::Inet& Inet1, const SiteHosts& hosts) {
  frmMain.SetEnabled(view::frmMain::RetrieveButton, false);
  frmMain.SetEnabled(view::frmMain::DownloadButton, false);
  const QString address = frmMain.Text(view::frmMain::AddressBox);
  if (IsWatchPageAddress(address, hosts)) {
    LoadWatchPage(frmMain, Inet1, address, hosts.video);
  } else {
    frmMain.ShowError(QStringLiteral("Invalid YouTube URL!"));
  }
  frmMain.SetEnabled(view::frmMain::RetrieveButton, true);
}

}  // namespace retrieval
