// Video and APNG files through FFmpeg's libraries. The muxer writes through an I/O context
// over a file replacement, so a failed or stopped export leaves nothing behind.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>

#include "media/frame_encoder.h"
#include "swftk/replace_file.h"

namespace media {
namespace {

struct CodecDeleter {
  void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameDeleter {
  void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketDeleter {
  void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct ScaleDeleter {
  void operator()(SwsContext* context) const { sws_freeContext(context); }
};
struct IoDeleter {
  void operator()(AVIOContext* io) const {
    av_freep(&io->buffer);
    avio_context_free(&io);
  }
};
struct FormatDeleter {
  void operator()(AVFormatContext* format) const { avformat_free_context(format); }
};

std::string AvError(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

// The codec, container and pixel layout of each format.
struct AvChoice {
  const char* codec;
  const char* muxer;
  AVPixelFormat pixels;
};

AvChoice ChoiceFor(const EncoderSetup& setup) {
  switch (setup.format) {
    case ExportFormat::kWebm:
      return {"libvpx-vp9", "webm", setup.alpha ? AV_PIX_FMT_YUVA420P : AV_PIX_FMT_YUV420P};
    case ExportFormat::kMov:
      return {"prores_ks", "mov", setup.alpha ? AV_PIX_FMT_YUVA444P10LE : AV_PIX_FMT_YUV444P10LE};
    case ExportFormat::kApng:
      return {"apng", "apng", setup.alpha ? AV_PIX_FMT_RGBA : AV_PIX_FMT_RGB24};
    default:
      return {"libx264", "mp4", AV_PIX_FMT_YUV420P};
  }
}

// Quality 1..100 onto a constant-rate factor that runs from worst to lossless.
int RateFactor(int quality, int worst) {
  return static_cast<int>(std::lround((100 - std::clamp(quality, 1, 100)) * worst / 100.0));
}

void SetCodecOptions(const EncoderSetup& setup, AVCodecContext& codec) {
  switch (setup.format) {
    case ExportFormat::kMp4:
      av_opt_set_int(codec.priv_data, "crf", RateFactor(setup.quality, 51), 0);
      // Flat colour and sharp edges gain little from slower searches: "veryfast" writes files
      // about 3% larger than "fast" in half the time and with half the encoder's memory.
      av_opt_set(codec.priv_data, "preset", "veryfast", 0);
      break;
    case ExportFormat::kWebm:
      av_opt_set_int(codec.priv_data, "crf", RateFactor(setup.quality, 63), 0);
      codec.bit_rate = 0;
      av_opt_set_int(codec.priv_data, "row-mt", 1, 0);
      av_opt_set_int(codec.priv_data, "cpu-used", 5, 0);
      av_opt_set(codec.priv_data, "deadline", "good", 0);
      break;
    case ExportFormat::kMov:
      av_opt_set(codec.priv_data, "profile", "4444", 0);
      codec.codec_tag = MKTAG('a', 'p', '4', 'h');
      break;
    default:
      break;
  }
}

class CKV_AvEncoder : public CKV_FrameEncoder {
 public:
  bool Open(const EncoderSetup& setup, std::string& error) {
    // Failures come back as messages of ours; the libraries' chatter stays off the terminal.
    av_log_set_level(AV_LOG_ERROR);
    const AvChoice choice = ChoiceFor(setup);
    const AVCodec* codec = avcodec_find_encoder_by_name(choice.codec);
    if (!codec) {
      error = std::string("this system's FFmpeg has no ") + choice.codec + " encoder";
      return false;
    }
    if (!file_.Open(setup.path, error)) return false;
    AVFormatContext* format = nullptr;
    int code = avformat_alloc_output_context2(&format, nullptr, choice.muxer, nullptr);
    format_.reset(format);
    if (code < 0) return Fail("cannot prepare the container", code, error);
    codec_.reset(avcodec_alloc_context3(codec));
    frame_.reset(av_frame_alloc());
    packet_.reset(av_packet_alloc());
    if (!codec_ || !frame_ || !packet_) return Fail("out of memory", AVERROR(ENOMEM), error);
    codec_->width = setup.width;
    codec_->height = setup.height;
    codec_->pix_fmt = choice.pixels;
    codec_->time_base = av_inv_q(av_d2q(setup.fps, 100000));
    codec_->framerate = av_d2q(setup.fps, 100000);
    // Stated, so that players convert back with the matrix the frames were made with.
    codec_->colorspace = AVCOL_SPC_SMPTE170M;
    codec_->color_range = AVCOL_RANGE_MPEG;
    if (format_->oformat->flags & AVFMT_GLOBALHEADER) codec_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    SetCodecOptions(setup, *codec_);
    if ((code = avcodec_open2(codec_.get(), codec, nullptr)) < 0)
      return Fail("the encoder refused the settings", code, error);
    stream_ = avformat_new_stream(format_.get(), nullptr);
    if (!stream_) return Fail("out of memory", AVERROR(ENOMEM), error);
    stream_->time_base = codec_->time_base;
    if ((code = avcodec_parameters_from_context(stream_->codecpar, codec_.get())) < 0)
      return Fail("cannot prepare the stream", code, error);
    if (!OpenIo(error)) return false;
    AVDictionary* muxerOptions = nullptr;
    // Animated images repeat for ever, as browsers show them.
    if (setup.format == ExportFormat::kApng) av_dict_set(&muxerOptions, "plays", "0", 0);
    code = avformat_write_header(format_.get(), &muxerOptions);
    av_dict_free(&muxerOptions);
    if (code < 0) return Fail("cannot write the header", code, error);
    frame_->format = choice.pixels;
    frame_->width = setup.width;
    frame_->height = setup.height;
    if ((code = av_frame_get_buffer(frame_.get(), 0)) < 0)
      return Fail("out of memory", code, error);
    scaler_.reset(sws_getContext(
        setup.width, setup.height, AV_PIX_FMT_BGRA, setup.width, setup.height, choice.pixels,
        SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr, nullptr));
    if (!scaler_) return Fail("no pixel conversion to the encoder's layout", 0, error);
    return true;
  }

  bool AddFrame(const uint8_t* bgra, int stride, std::string& error) override {
    int code = av_frame_make_writable(frame_.get());
    if (code < 0) return Fail("out of memory", code, error);
    sws_scale(scaler_.get(), &bgra, &stride, 0, codec_->height, frame_->data, frame_->linesize);
    frame_->pts = nextPts_++;
    return Encode(frame_.get(), error);
  }

  bool Finish(std::string& error) override {
    if (!Encode(nullptr, error)) return false;
    const int code = av_write_trailer(format_.get());
    if (code < 0) return Fail("cannot finish the file", code, error);
    avio_flush(io_.get());
    return file_.Commit(error);
  }

 private:
  bool Fail(const std::string& what, int code, std::string& error) {
    error = code < 0 ? what + ": " + AvError(code) : what;
    return false;
  }

  bool OpenIo(std::string& error) {
    constexpr int kBufferSize = 1 << 16;
    auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
    if (!buffer) return Fail("out of memory", AVERROR(ENOMEM), error);
    io_.reset(avio_alloc_context(buffer, kBufferSize, 1, this, nullptr, &CKV_AvEncoder::WritePacket,
                                 &CKV_AvEncoder::Seek));
    if (!io_) {
      av_free(buffer);
      return Fail("out of memory", AVERROR(ENOMEM), error);
    }
    format_->pb = io_.get();
    format_->flags |= AVFMT_FLAG_CUSTOM_IO;
    return true;
  }

  bool Encode(const AVFrame* frame, std::string& error) {
    int code = avcodec_send_frame(codec_.get(), frame);
    if (code < 0) return Fail("the encoder failed", code, error);
    while ((code = avcodec_receive_packet(codec_.get(), packet_.get())) >= 0) {
      // Every frame lasts one tick; containers that time the last frame by it need it stated.
      if (packet_->duration == 0) packet_->duration = 1;
      av_packet_rescale_ts(packet_.get(), codec_->time_base, stream_->time_base);
      packet_->stream_index = stream_->index;
      code = av_interleaved_write_frame(format_.get(), packet_.get());
      if (code < 0) return Fail("cannot write the file", code, error);
    }
    if (code != AVERROR(EAGAIN) && code != AVERROR_EOF)
      return Fail("the encoder failed", code, error);
    return true;
  }

  static int WritePacket(void* opaque, uint8_t* data, int size) {
    auto* self = static_cast<CKV_AvEncoder*>(opaque);
    if (!self->file_.WriteAt(self->position_, data, static_cast<size_t>(size))) return AVERROR(EIO);
    self->position_ += static_cast<uint64_t>(size);
    self->end_ = std::max(self->end_, self->position_);
    return size;
  }

  static int64_t Seek(void* opaque, int64_t offset, int whence) {
    auto* self = static_cast<CKV_AvEncoder*>(opaque);
    const auto end = static_cast<int64_t>(self->end_);
    switch (whence & ~AVSEEK_FORCE) {
      case AVSEEK_SIZE:
        return end;
      case SEEK_SET:
        break;
      case SEEK_CUR:
        offset += static_cast<int64_t>(self->position_);
        break;
      case SEEK_END:
        offset += end;
        break;
      default:
        return AVERROR(EINVAL);
    }
    if (offset < 0) return AVERROR(EINVAL);
    self->position_ = static_cast<uint64_t>(offset);
    return offset;
  }

  // Members in the order they may be released: the container before its I/O context, both
  // before the file they write to.
  swftk::FileReplacement file_;
  uint64_t position_ = 0;
  uint64_t end_ = 0;
  std::unique_ptr<AVIOContext, IoDeleter> io_;
  std::unique_ptr<AVFormatContext, FormatDeleter> format_;
  std::unique_ptr<AVCodecContext, CodecDeleter> codec_;
  std::unique_ptr<AVFrame, FrameDeleter> frame_;
  std::unique_ptr<AVPacket, PacketDeleter> packet_;
  std::unique_ptr<SwsContext, ScaleDeleter> scaler_;
  AVStream* stream_ = nullptr;
  int64_t nextPts_ = 0;
};

}  // namespace

std::unique_ptr<CKV_FrameEncoder> CreateAvEncoder(const EncoderSetup& setup, std::string& error) {
  auto encoder = std::make_unique<CKV_AvEncoder>();
  if (!encoder->Open(setup, error)) return nullptr;
  return encoder;
}

}  // namespace media
