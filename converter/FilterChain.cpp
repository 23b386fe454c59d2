#include "converter/FilterChain.h"

#include "converter/Diagnostics.h"

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/channel_layout.h>
#include <libavutil/pixdesc.h>
}
#include <sstream>
#include <vector>

namespace kodavert {
namespace {

std::string Ratio(AVRational value) { return std::to_string(value.num) + "/" + std::to_string(value.den); }

std::string Seconds(double seconds) {
  std::ostringstream text;
  text.precision(6);
  text << std::fixed << seconds;
  return text.str();
}

// A layout of unknown order ("2 channels") is taken as the usual one for that many channels.
std::string LayoutName(const AVChannelLayout& layout) {
  AVChannelLayout known{};
  if (layout.order == AV_CHANNEL_ORDER_UNSPEC || !av_channel_layout_check(&layout))
    av_channel_layout_default(&known, std::max(1, layout.nb_channels));
  else
    av_channel_layout_copy(&known, &layout);
  char name[128] = {};
  av_channel_layout_describe(&known, name, sizeof name);
  av_channel_layout_uninit(&known);
  return name;
}

// HDR light is brought into SDR's range in linear light, then encoded as BT.709; scaled first,
// since the float steps cost the most per pixel.
std::string ToneMap(AVColorTransferCharacteristic from) {
  const char* transfer = from == AVCOL_TRC_ARIB_STD_B67 ? "arib-std-b67" : "smpte2084";
  return std::string("zscale=tin=") + transfer +
         ":min=bt2020nc:pin=bt2020:rin=tv:t=linear:npl=100,format=gbrpf32le,zscale=p=bt709,"
         "tonemap=tonemap=hable:desat=0,zscale=t=bt709:m=bt709:r=tv";
}

// Frame-rate conversion only repeats or drops whole frames: dropping before scaling saves work,
// repeating after it lets the repeats share the scaled picture.
std::string VideoDescription(const VideoPlan& plan, const Cut& cut, std::optional<AVRational> sourceRate) {
  std::vector<std::string> filters;
  if (plan.deinterlace) filters.push_back("yadif=deint=interlaced");
  // Upright before anything that sizes the picture; after the deinterlacing, whose fields are the
  // stored rows.
  if (!plan.upright.empty()) filters.push_back(plan.upright);
  const std::string fps = "fps=fps=" + Ratio(plan.frameRate) + ":start_time=0";
  const bool fewerFrames = !sourceRate || av_cmp_q(plan.frameRate, *sourceRate) < 0;
  // Cropping, scaling and padding in the order of the stock tool of the time: the crop takes the
  // source's edges off, the picture is scaled to -s, and the padding is put around it.
  if (plan.cropTop || plan.cropBottom || plan.cropLeft || plan.cropRight)
    filters.push_back("crop=w=iw-" + std::to_string(plan.cropLeft + plan.cropRight) + ":h=ih-" +
                      std::to_string(plan.cropTop + plan.cropBottom) + ":x=" + std::to_string(plan.cropLeft) +
                      ":y=" + std::to_string(plan.cropTop) + ":exact=1");
  if (fewerFrames) filters.push_back(fps);
  filters.push_back("scale=" + std::to_string(plan.pictureWidth) + ":" + std::to_string(plan.pictureHeight) +
                    (plan.scaleFlags.empty() ? "" : ":flags=" + plan.scaleFlags));
  if (plan.width != plan.pictureWidth || plan.height != plan.pictureHeight)
    filters.push_back("pad=w=" + std::to_string(plan.width) + ":h=" + std::to_string(plan.height) + ":x=" +
                      std::to_string(plan.padLeft) + ":y=" + std::to_string(plan.padTop) + ":color=" + plan.padColor);
  if (plan.toneMapFrom != AVCOL_TRC_UNSPECIFIED) filters.push_back(ToneMap(plan.toneMapFrom));
  if (!plan.ownPalette) filters.push_back(std::string("format=pix_fmts=") + av_get_pix_fmt_name(plan.pixelFormat));
  if (plan.squarePixels) filters.push_back("setsar=sar=1");
  if (plan.aspectRatio) filters.push_back("setdar=dar=" + Ratio(*plan.aspectRatio));
  if (!fewerFrames) filters.push_back(fps);
  if (cut.lengthSeconds) filters.push_back("trim=end=" + Seconds(*cut.lengthSeconds));
  // The palette is made from exactly the frames it will be used for. Its histogram, not the
  // frames, is what the first pass keeps.
  if (plan.ownPalette && !plan.palette) filters.push_back("palettegen");
  std::string description;
  for (const std::string& filter : filters) description += (description.empty() ? "" : ",") + filter;
  if (plan.ownPalette && plan.palette) description = "[in]" + description + "[picture];[picture][palette]paletteuse";
  return description;
}

// Sound from before the start (the run-up to a cut, decoder priming) is left out, as is the
// picture's.
std::string AudioTrim(const Cut& cut) {
  std::string trim = "atrim=start=0";
  if (cut.lengthSeconds) trim += ":end=" + Seconds(*cut.lengthSeconds);
  return trim;
}

std::string AudioConversion(const AudioPlan& plan, int frameSize) {
  AVChannelLayout layout{};
  av_channel_layout_default(&layout, plan.channels);
  std::string description = "aresample=" + std::to_string(plan.sampleRate) +
                            ",aformat=sample_fmts=" + av_get_sample_fmt_name(plan.sampleFormat) +
                            ":channel_layouts=" + LayoutName(layout);
  if (frameSize > 0) description += ",asetnsamples=n=" + std::to_string(frameSize) + ":p=0";
  return description;
}

}  // namespace

SourceFormat SourceFormat::Of(const AVCodecContext& decoder) {
  SourceFormat format;
  if (decoder.codec_type == AVMEDIA_TYPE_VIDEO) {
    format.width = decoder.width;
    format.height = decoder.height;
    // Until the first frame says otherwise, an unstated format is taken to be the usual one.
    format.pixelFormat = decoder.pix_fmt == AV_PIX_FMT_NONE ? AV_PIX_FMT_YUV420P : decoder.pix_fmt;
    format.aspectNum = decoder.sample_aspect_ratio.num;
    format.aspectDen = decoder.sample_aspect_ratio.den;
  } else {
    format.sampleRate = decoder.sample_rate;
    format.sampleFormat = decoder.sample_fmt == AV_SAMPLE_FMT_NONE ? AV_SAMPLE_FMT_FLTP : decoder.sample_fmt;
    format.channelLayout = LayoutName(decoder.ch_layout);
  }
  return format;
}

SourceFormat SourceFormat::Of(const AVFrame& frame) {
  SourceFormat format;
  if (frame.width > 0) {
    format.width = frame.width;
    format.height = frame.height;
    format.pixelFormat = frame.format;
    format.aspectNum = frame.sample_aspect_ratio.num;
    format.aspectDen = frame.sample_aspect_ratio.den;
  } else {
    format.sampleRate = frame.sample_rate;
    format.sampleFormat = frame.format;
    format.channelLayout = LayoutName(frame.ch_layout);
  }
  return format;
}

FilterChain::CreateResult FilterChain::ForVideo(const VideoPlan& plan, const Cut& cut, const SourceFormat& source,
                                                AVRational timeBase, std::optional<AVRational> sourceRate) {
  const AVRational aspect =
      source.aspectNum > 0 && source.aspectDen > 0 ? AVRational{source.aspectNum, source.aspectDen} : AVRational{1, 1};
  const std::string arguments = "video_size=" + std::to_string(source.width) + "x" + std::to_string(source.height) +
                                ":pix_fmt=" + std::to_string(source.pixelFormat) + ":time_base=" + Ratio(timeBase) +
                                ":pixel_aspect=" + Ratio(aspect);
  return Build(source, arguments, VideoDescription(plan, cut, sourceRate), plan.palette.get());
}

FilterChain::CreateResult FilterChain::ForAudio(const AudioPlan& plan, const Cut& cut, const SourceFormat& source,
                                                AVRational timeBase, int frameSize) {
  const std::string arguments = "time_base=" + Ratio(timeBase) + ":sample_rate=" + std::to_string(source.sampleRate) +
                                ":sample_fmt=" + av_get_sample_fmt_name(AVSampleFormat(source.sampleFormat)) +
                                ":channel_layout=" + source.channelLayout;
  const std::string volume = plan.volume ? ",volume=" + std::to_string(*plan.volume) + "/256" : "";
  return Build(source, arguments, AudioTrim(cut) + volume + "," + AudioConversion(plan, frameSize));
}

FilterChain::CreateResult FilterChain::Build(const SourceFormat& source, const std::string& sourceArguments,
                                             const std::string& description, const AVFrame* palette) {
  const bool video = source.width > 0;
  std::unique_ptr<FilterChain> chain(new FilterChain);
  chain->source_ = source;
  chain->graph_.reset(avfilter_graph_alloc());
  if (!chain->graph_) return {nullptr, OutOfMemory};
  AVFilterGraph* graph = chain->graph_.get();
  int result = avfilter_graph_create_filter(&chain->sink_, avfilter_get_by_name(video ? "buffersink" : "abuffersink"),
                                            "out", nullptr, nullptr, graph);
  if (result >= 0)
    result = avfilter_graph_create_filter(&chain->sourceFilter_, avfilter_get_by_name(video ? "buffer" : "abuffer"),
                                          "in", sourceArguments.c_str(), nullptr, graph);
  AVFilterContext* paletteSource = nullptr;
  if (result >= 0 && palette) {
    const std::string arguments = "video_size=" + std::to_string(palette->width) + "x" +
                                  std::to_string(palette->height) + ":pix_fmt=" + std::to_string(palette->format) +
                                  ":time_base=1/1";
    result = avfilter_graph_create_filter(&paletteSource, avfilter_get_by_name("buffer"), "palette", arguments.c_str(),
                                          nullptr, graph);
  }
  FilterInOutPtr paletteOutput(palette ? avfilter_inout_alloc() : nullptr);
  FilterInOutPtr outputs(avfilter_inout_alloc()), inputs(avfilter_inout_alloc());
  if (result >= 0 && (!inputs || !outputs || (palette && !paletteOutput))) result = AVERROR(ENOMEM);
  if (result >= 0 && palette) {
    *paletteOutput = {av_strdup("palette"), paletteSource, 0, nullptr};
    if (!paletteOutput->name) result = AVERROR(ENOMEM);
  }
  if (result >= 0) {
    *outputs = {av_strdup("in"), chain->sourceFilter_, 0, paletteOutput.release()};
    *inputs = {av_strdup("out"), chain->sink_, 0, nullptr};
    if (!inputs->name || !outputs->name) result = AVERROR(ENOMEM);
  }
  if (result >= 0) {
    AVFilterInOut* openInputs = inputs.release();
    AVFilterInOut* openOutputs = outputs.release();
    result = avfilter_graph_parse_ptr(graph, description.c_str(), &openInputs, &openOutputs, nullptr);
    inputs.reset(openInputs);
    outputs.reset(openOutputs);
  }
  if (result >= 0) result = avfilter_graph_config(graph, nullptr);
  // The one palette frame serves every picture: the stream of palettes ends after it.
  if (result >= 0 && palette) result = av_buffersrc_write_frame(paletteSource, palette);
  if (result >= 0 && palette) result = av_buffersrc_add_frame(paletteSource, nullptr);
  if (result < 0) return {nullptr, "cannot set up the filters '" + description + "': " + ErrorText(result) + "."};
  return {std::move(chain), {}};
}

int FilterChain::Push(AVFrame* frame) {
  return av_buffersrc_add_frame_flags(sourceFilter_, frame, AV_BUFFERSRC_FLAG_KEEP_REF);
}

int FilterChain::End(int64_t pts) {
  return pts == AV_NOPTS_VALUE ? av_buffersrc_add_frame(sourceFilter_, nullptr)
                               : av_buffersrc_close(sourceFilter_, pts, AV_BUFFERSRC_FLAG_PUSH);
}

int FilterChain::Pull(AVFrame* frame) { return av_buffersink_get_frame(sink_, frame); }

}  // namespace kodavert
