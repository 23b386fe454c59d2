#pragma once
// Owning handles for the libav objects: each one is released by the function its library provides.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavcodec/bsf.h>
#include <libavfilter/avfilter.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
}
#include <memory>
#include <string>
#include <type_traits>

namespace kodavert {

// One deleter for every libav object: the library's own release function, given as a template
// argument. Those that take the address of the pointer (avcodec_free_context & co.) and those
// that take the pointer itself are both accepted.
template <auto Release>
struct LibavDeleter {
  template <typename T>
  void operator()(T* object) const {
    if constexpr (std::is_invocable_v<decltype(Release), T**>)
      Release(&object);
    else
      Release(object);
  }
};
template <typename T, auto Release>
using LibavPtr = std::unique_ptr<T, LibavDeleter<Release>>;

using CodecContextPtr = LibavPtr<AVCodecContext, avcodec_free_context>;
using InputContextPtr = LibavPtr<AVFormatContext, avformat_close_input>;
// The file itself is closed by OutputFile, which knows whether it was ever opened.
using OutputContextPtr = LibavPtr<AVFormatContext, avformat_free_context>;
using FilterGraphPtr = LibavPtr<AVFilterGraph, avfilter_graph_free>;
using FilterInOutPtr = LibavPtr<AVFilterInOut, avfilter_inout_free>;
using FramePtr = LibavPtr<AVFrame, av_frame_free>;
using PacketPtr = LibavPtr<AVPacket, av_packet_free>;
using BitstreamFilterPtr = LibavPtr<AVBSFContext, av_bsf_free>;

// The text libav gives for an error code, for messages meant for the user.
std::string ErrorText(int code);

}  // namespace kodavert
