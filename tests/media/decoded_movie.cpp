#include "decoded_movie.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}
#include <webp/demux.h>

#include "test_movie.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

namespace media::test {
namespace {

bool DecodeWebp(const std::string& path, DecodedMovie& movie, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                   std::istreambuf_iterator<char>());
  const WebPData data{bytes.data(), bytes.size()};
  WebPAnimDecoderOptions options;
  WebPAnimDecoderOptionsInit(&options);
  options.color_mode = MODE_RGBA;
  WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
  if (!decoder) {
    error = "not an animated WebP";
    return false;
  }
  WebPAnimInfo info;
  WebPAnimDecoderGetInfo(decoder, &info);
  movie.width = static_cast<int>(info.canvas_width);
  movie.height = static_cast<int>(info.canvas_height);
  movie.pixelFormat = "webp";
  int lastTimestamp = 0;
  while (WebPAnimDecoderHasMoreFrames(decoder)) {
    uint8_t* pixels = nullptr;
    WebPAnimDecoderGetNext(decoder, &pixels, &lastTimestamp);
    movie.frames.emplace_back(pixels, pixels + static_cast<size_t>(movie.width) * movie.height * 4);
  }
  movie.fps = lastTimestamp > 0 ? movie.frames.size() * 1000.0 / lastTimestamp : 0;
  WebPAnimDecoderDelete(decoder);
  return true;
}

}  // namespace

bool DecodeMovie(const std::string& path, DecodedMovie& movie, std::string& error) {
  if (path.size() > 5 && path.substr(path.size() - 5) == ".webp")
    return DecodeWebp(path, movie, error);
  AVFormatContext* format = nullptr;
  if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0 ||
      avformat_find_stream_info(format, nullptr) < 0) {
    avformat_close_input(&format);
    error = "FFmpeg cannot open the file";
    return false;
  }
  const AVStream* stream = format->streams[0];
  // FFmpeg's own VP9 decoder leaves out the alpha WebM keeps beside the picture.
  const AVCodec* codec = stream->codecpar->codec_id == AV_CODEC_ID_VP9
                             ? avcodec_find_decoder_by_name("libvpx-vp9")
                             : avcodec_find_decoder(stream->codecpar->codec_id);
  AVCodecContext* context = avcodec_alloc_context3(codec);
  avcodec_parameters_to_context(context, stream->codecpar);
  avcodec_open2(context, codec, nullptr);
  movie.fps = av_q2d(stream->avg_frame_rate.num ? stream->avg_frame_rate : stream->r_frame_rate);
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  SwsContext* scaler = nullptr;
  auto take = [&] {
    while (avcodec_receive_frame(context, frame) >= 0) {
      movie.width = frame->width;
      movie.height = frame->height;
      movie.pixelFormat = av_get_pix_fmt_name(static_cast<AVPixelFormat>(frame->format));
      scaler = sws_getCachedContext(
          scaler, frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
          frame->width, frame->height, AV_PIX_FMT_RGBA,
          SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr, nullptr);
      std::vector<uint8_t> rgba(static_cast<size_t>(frame->width) * frame->height * 4);
      uint8_t* planes[1] = {rgba.data()};
      const int strides[1] = {frame->width * 4};
      sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, planes, strides);
      movie.frames.push_back(std::move(rgba));
    }
  };
  while (av_read_frame(format, packet) >= 0) {
    if (packet->stream_index == 0 && avcodec_send_packet(context, packet) >= 0) take();
    av_packet_unref(packet);
  }
  avcodec_send_packet(context, nullptr);
  take();
  sws_freeContext(scaler);
  av_frame_free(&frame);
  av_packet_free(&packet);
  avcodec_free_context(&context);
  avformat_close_input(&format);
  return true;
}

double Psnr(const DecodedMovie& decoded, size_t frame, const player::CKV_Image& expected) {
  double squares = 0;
  for (int y = 0; y < decoded.height; ++y) {
    for (int x = 0; x < decoded.width; ++x) {
      const player::Rgba want = player::test::PixelAt(expected, x, y);
      const uint8_t* got = decoded.Pixel(frame, x, y);
      for (const auto& [a, b] : {std::pair{got[0], want.r}, {got[1], want.g}, {got[2], want.b}})
        squares += (a - b) * (a - b);
    }
  }
  const double mse = squares / (3.0 * decoded.width * decoded.height);
  return mse == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mse);
}

}  // namespace media::test
