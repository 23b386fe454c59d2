// The copied streams: the input's packets go into the output unchanged, cut at key frames and,
// where the container needs it, given the form it stores.
#include "converter/Diagnostics.h"
#include "converter/Transcoder.h"

#include <string>

namespace kodavert {
namespace {

// A container without a global header (AVI, MPEG) carries the parameter sets of H.264 and HEVC in
// the stream itself, so packets that an MP4 or Flash file keeps apart from them are given start
// codes by the library's own filter for the codec. Muxers that know their needs add theirs.
const AVBitStreamFilter* ReshapeFor(const AVCodecParameters& parameters, bool globalHeader) {
  if (globalHeader) return nullptr;
  return av_bsf_get_by_name((std::string(avcodec_get_name(parameters.codec_id)) + "_mp4toannexb").c_str());
}

}  // namespace

std::string Transcoder::AddCopy(DecodedStream* input, std::optional<uint32_t> tag, std::optional<int64_t> frames) {
  Pipeline& pipeline = pipelines_.emplace_back();
  pipeline.input = input;
  pipeline.copied = true;
  const AVStream& source = *input->stream;
  if (source.codecpar->codec_type == AVMEDIA_TYPE_VIDEO) pipeline.framesLeft = frames.value_or(-1);
  const AVCodecParameters* parameters = source.codecpar;
  if (const AVBitStreamFilter* filter = ReshapeFor(*parameters, output_.NeedsGlobalHeader())) {
    AVBSFContext* raw = nullptr;
    if (av_bsf_alloc(filter, &raw) < 0) return OutOfMemory;
    pipeline.reshape.reset(raw);
    raw->time_base_in = source.time_base;
    if (avcodec_parameters_copy(raw->par_in, parameters) < 0) return OutOfMemory;
    if (const int result = av_bsf_init(raw); result < 0)
      return std::string("cannot prepare the ") + filter->name + " filter for the copied " +
             avcodec_get_name(parameters->codec_id) + ": " + ErrorText(result) + ".";
    // The input's tag names the packets' former form.
    raw->par_out->codec_tag = 0;
    parameters = raw->par_out;
  }
  pipeline.output = output_.AddCopiedStream(source, *parameters, tag);
  if (!pipeline.output) return "cannot add a stream to the output.";
  return {};
}

// The cut of a copied stream starts at the last key frame at or before its start, as the pictures
// after it cannot be decoded without it: the packets from there are held until the cut starts, and
// go out ahead of it. The cut ends with the last packet that begins before its end.
std::string Transcoder::Copy(Pipeline& pipeline, AVPacket& packet) {
  const int64_t time = packet.pts != AV_NOPTS_VALUE ? packet.pts : packet.dts;
  if (!pipeline.started) {
    const bool key = packet.flags & AV_PKT_FLAG_KEY;
    const bool beforeCut = time != AV_NOPTS_VALUE && time < pipeline.shift;
    // A key frame too far back, in a file that has few, is passed over for the next one.
    constexpr size_t kLargestLead = 64 << 20;
    if ((key && beforeCut) || pipeline.leadBytes > kLargestLead) {
      pipeline.lead.clear();
      pipeline.leadBytes = 0;
    }
    if (!key && pipeline.lead.empty()) return {};
    if (beforeCut) {
      PacketPtr held(av_packet_alloc());
      if (!held) return OutOfMemory;
      av_packet_move_ref(held.get(), &packet);
      pipeline.leadBytes += held->size;
      pipeline.lead.push_back(std::move(held));
      return {};
    }
    pipeline.started = true;
    for (PacketPtr& held : pipeline.lead)
      if (std::string error = WriteCopied(pipeline, *held); !error.empty()) return error;
    pipeline.lead.clear();
  }
  if ((pipeline.end != AV_NOPTS_VALUE && time != AV_NOPTS_VALUE && time >= pipeline.end) || pipeline.framesLeft == 0) {
    pipeline.ended = true;
    return {};
  }
  if (pipeline.framesLeft > 0) --pipeline.framesLeft;
  return WriteCopied(pipeline, packet);
}

std::string Transcoder::WriteCopied(Pipeline& pipeline, AVPacket& packet) {
  if (packet.pts != AV_NOPTS_VALUE) packet.pts -= pipeline.shift;
  if (packet.dts != AV_NOPTS_VALUE) packet.dts -= pipeline.shift;
  packet.pos = -1;
  if (!pipeline.reshape) return Write(pipeline, packet);
  // These filters give one packet for each and hold none back.
  int result = av_bsf_send_packet(pipeline.reshape.get(), &packet);
  while (result >= 0 && (result = av_bsf_receive_packet(pipeline.reshape.get(), &packet)) >= 0)
    if (std::string error = Write(pipeline, packet); !error.empty()) return error;
  if (result == AVERROR(EAGAIN)) return {};
  return std::string("the ") + pipeline.reshape->filter->name + " filter failed: " + ErrorText(result) + ".";
}

}  // namespace kodavert
