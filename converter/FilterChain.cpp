#include "converter/FilterChain.h"

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

std::string Ratio(AVRational value) {
  return std::to_string(value.num) + "/" + std::to_string(value.den);
}

std::string Seconds(double seconds) {
  std::ostringstream text;
  text.precision(6);
  text << std::fixed << seconds;
  return text.str();
}

// Frame-rate conversion only repeats or drops whole frames: dropping before scaling saves work,
// repeating after it lets the repeats share the scaled picture.
std::string VideoDescription(const Options& options, const VideoPlan& plan,
                             std::optional<AVRational> sourceRate) {
  std::vector<std::string> filters;
  if (options.deinterlace) filters.push_back("yadif=deint=interlaced");
  const std::string fps = "fps=fps=" + Ratio(plan.frameRate) + ":start_time=0";
  const bool fewerFrames = !sourceRate || av_cmp_q(plan.frameRate, *sourceRate) < 0;
  if (fewerFrames) filters.push_back(fps);
  filters.push_back("scale=" + std::to_string(plan.width) + ":" + std::to_string(plan.height));
  filters.push_back(std::string("format=pix_fmts=") + av_get_pix_fmt_name(plan.pixelFormat));
  if (options.aspectRatio) filters.push_back("setdar=dar=" + Ratio(*options.aspectRatio));
  if (!fewerFrames) filters.push_back(fps);
  if (options.lengthSeconds) filters.push_back("trim=end=" + Seconds(*options.lengthSeconds));
  std::string description;
  for (const std::string& filter : filters) description += (description.empty() ? "" : ",") + filter;
  return description;
}

std::string AudioDescription(const Options& options, const AudioPlan& plan, int frameSize) {
  // Sound from before the start (the run-up to a cut, decoder priming) is left out, as is the
  // picture's.
  std::string description = "atrim=start=0";
  if (options.lengthSeconds) description += ":end=" + Seconds(*options.lengthSeconds);
  AVChannelLayout layout{};
  av_channel_layout_default(&layout, plan.channels);
  char layoutName[64] = {};
  av_channel_layout_describe(&layout, layoutName, sizeof layoutName);
  description += ",aresample=" + std::to_string(plan.sampleRate) +
                 ",aformat=sample_fmts=" + av_get_sample_fmt_name(plan.sampleFormat) +
                 ":channel_layouts=" + layoutName;
  if (frameSize > 0) description += ",asetnsamples=n=" + std::to_string(frameSize) + ":p=0";
  return description;
}

}  // namespace

FilterChain::CreateResult FilterChain::ForVideo(const Options& options, const VideoPlan& plan,
                                                const AVCodecContext& decoder, AVRational timeBase,
                                                std::optional<AVRational> sourceRate) {
  const AVRational aspect = decoder.sample_aspect_ratio.num > 0 ? decoder.sample_aspect_ratio
                                                                : AVRational{1, 1};
  const std::string arguments =
      "video_size=" + std::to_string(decoder.width) + "x" + std::to_string(decoder.height) +
      ":pix_fmt=" + std::to_string(decoder.pix_fmt) + ":time_base=" + Ratio(timeBase) +
      ":pixel_aspect=" + Ratio(aspect);
  return Build("buffer", arguments, "buffersink", VideoDescription(options, plan, sourceRate));
}

FilterChain::CreateResult FilterChain::ForAudio(const Options& options, const AudioPlan& plan,
                                                const AVCodecContext& decoder, AVRational timeBase,
                                                int frameSize) {
  char layoutName[64] = {};
  AVChannelLayout layout{};
  if (av_channel_layout_check(&decoder.ch_layout) && decoder.ch_layout.order != AV_CHANNEL_ORDER_UNSPEC)
    av_channel_layout_copy(&layout, &decoder.ch_layout);
  else
    av_channel_layout_default(&layout, decoder.ch_layout.nb_channels);
  av_channel_layout_describe(&layout, layoutName, sizeof layoutName);
  av_channel_layout_uninit(&layout);
  const std::string arguments =
      "time_base=" + Ratio(timeBase) + ":sample_rate=" + std::to_string(decoder.sample_rate) +
      ":sample_fmt=" + av_get_sample_fmt_name(decoder.sample_fmt) + ":channel_layout=" + layoutName;
  return Build("abuffer", arguments, "abuffersink", AudioDescription(options, plan, frameSize));
}

FilterChain::CreateResult FilterChain::Build(const std::string& sourceName,
                                             const std::string& sourceArguments,
                                             const std::string& sinkName,
                                             const std::string& description) {
  std::unique_ptr<FilterChain> chain(new FilterChain);
  chain->graph_.reset(avfilter_graph_alloc());
  if (!chain->graph_) return {nullptr, "out of memory."};
  AVFilterGraph* graph = chain->graph_.get();
  int result = avfilter_graph_create_filter(&chain->source_, avfilter_get_by_name(sourceName.c_str()),
                                            "in", sourceArguments.c_str(), nullptr, graph);
  if (result >= 0)
    result = avfilter_graph_create_filter(&chain->sink_, avfilter_get_by_name(sinkName.c_str()),
                                          "out", nullptr, nullptr, graph);
  FilterInOutPtr outputs(avfilter_inout_alloc()), inputs(avfilter_inout_alloc());
  if (result >= 0 && outputs && inputs) {
    *outputs = {av_strdup("in"), chain->source_, 0, nullptr};
    *inputs = {av_strdup("out"), chain->sink_, 0, nullptr};
    AVFilterInOut* openInputs = inputs.release();
    AVFilterInOut* openOutputs = outputs.release();
    result = avfilter_graph_parse_ptr(graph, description.c_str(), &openInputs, &openOutputs, nullptr);
    inputs.reset(openInputs);
    outputs.reset(openOutputs);
  }
  if (result >= 0) result = avfilter_graph_config(graph, nullptr);
  if (result < 0)
    return {nullptr, "cannot set up the filters '" + description + "': " + ErrorText(result) + "."};
  return {std::move(chain), {}};
}

int FilterChain::Push(AVFrame* frame) {
  return av_buffersrc_add_frame_flags(source_, frame, AV_BUFFERSRC_FLAG_KEEP_REF);
}

int FilterChain::End(int64_t pts) {
  return pts == AV_NOPTS_VALUE ? av_buffersrc_add_frame(source_, nullptr)
                               : av_buffersrc_close(source_, pts, AV_BUFFERSRC_FLAG_PUSH);
}

}  // namespace kodavert

namespace kodavert {

int FilterChain::Pull(AVFrame* frame) { return av_buffersink_get_frame(sink_, frame); }

}  // namespace kodavert
