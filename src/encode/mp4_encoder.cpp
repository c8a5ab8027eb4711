#include "encode/mp4_encoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

#include <cstring>

#include "encode/ffmpeg_output.h"

namespace kinemora {

namespace {

constexpr AVRational kPictureTime = {1, 30};
constexpr AVRational kPicturesPerSecond = {30, 1};

// Preset and quality: x264's own words, which other encoders pass over.
constexpr const char* kEncoderOptions[][2] = {
    // option    value
    {"preset", "veryfast"},
    {"crf",    "18"},
};
// Without a seekable output: the index first, then a fragment per key frame.
constexpr const char* kStreamingFlags = "frag_keyframe+empty_moov+default_base_moof";

template <auto release>
struct Freeing {
  template <typename T>
  void operator()(T* p) const {
    release(&p);
  }
};
using CodecContext = std::unique_ptr<AVCodecContext, Freeing<avcodec_free_context>>;
using Frame = std::unique_ptr<AVFrame, Freeing<av_frame_free>>;
using Packet = std::unique_ptr<AVPacket, Freeing<av_packet_free>>;
struct FormatFreeing {
  void operator()(AVFormatContext* p) const { avformat_free_context(p); }
};
struct ScaleFreeing {
  void operator()(SwsContext* p) const { sws_freeContext(p); }
};

std::string ffmpegError(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

const AVCodec* h264Encoder() {
  const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
  return codec ? codec : avcodec_find_encoder(AV_CODEC_ID_H264);
}

class Mp4Encoder : public PictureEncoder {
 public:
  Mp4Encoder(PictureSize size, Output& out) : size_(size), out_(out), io_(out) {}

  bool open(std::string* error);
  bool add(const Picture& picture, std::string* error) override;
  bool finish(std::string* error) override;

 private:
  bool openCodec(std::string* error);
  bool openScaler(std::string* error);
  bool writeHeader(std::string* error);
  bool encode(const AVFrame* frame, std::string* error);
  bool failed(const std::string& what, int code, std::string* error) const;

  PictureSize size_;
  Output& out_;
  FfmpegOutput io_;
  std::unique_ptr<AVFormatContext, FormatFreeing> container_;
  CodecContext codec_;
  AVStream* stream_ = nullptr;  // the container's
  std::unique_ptr<SwsContext, ScaleFreeing> scaler_;
  Frame frame_;
  Packet packet_;
  std::int64_t pictures_ = 0;
};

bool Mp4Encoder::open(std::string* error) {
  av_log_set_level(AV_LOG_QUIET);  // our messages say what failed
  AVFormatContext* container = nullptr;
  const int code = avformat_alloc_output_context2(&container, nullptr, "mp4", nullptr);
  if (code < 0) return failed("MP4", code, error);
  container_.reset(container);
  if (!io_.context()) return failed("MP4", AVERROR(ENOMEM), error);
  container_->pb = io_.context();
  container_->flags |= AVFMT_FLAG_CUSTOM_IO;
  return openCodec(error) && openScaler(error) && writeHeader(error);
}

bool Mp4Encoder::openCodec(std::string* error) {
  const AVCodec* codec = h264Encoder();
  if (!codec) return failed("H.264", AVERROR_ENCODER_NOT_FOUND, error);
  codec_.reset(avcodec_alloc_context3(codec));
  packet_.reset(av_packet_alloc());
  frame_.reset(av_frame_alloc());
  if (!codec_ || !packet_ || !frame_) return failed("H.264", AVERROR(ENOMEM), error);
  AVCodecContext& c = *codec_;
  c.width = size_.width;
  c.height = size_.height;
  c.pix_fmt = AV_PIX_FMT_YUV420P;
  c.time_base = kPictureTime;
  c.framerate = kPicturesPerSecond;
  c.color_range = AVCOL_RANGE_MPEG;
  c.colorspace = AVCOL_SPC_BT709;
  c.color_primaries = AVCOL_PRI_BT709;
  c.color_trc = AVCOL_TRC_BT709;
  if (container_->oformat->flags & AVFMT_GLOBALHEADER) c.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  AVDictionary* options = nullptr;
  for (const auto& option : kEncoderOptions) av_dict_set(&options, option[0], option[1], 0);
  int code = avcodec_open2(&c, codec, &options);
  av_dict_free(&options);
  if (code < 0) return failed("H.264", code, error);

  frame_->format = c.pix_fmt;
  frame_->width = c.width;
  frame_->height = c.height;
  code = av_frame_get_buffer(frame_.get(), 0);
  return code >= 0 || failed("H.264", code, error);
}

bool Mp4Encoder::openScaler(std::string* error) {
  scaler_.reset(sws_getContext(size_.width, size_.height, AV_PIX_FMT_RGBA, size_.width,
                               size_.height, AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr,
                               nullptr));
  if (!scaler_) return failed("yuv420p", AVERROR(ENOMEM), error);
  // Full-range RGB in, BT.709's limited range out, as the stream says.
  const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
  sws_setColorspaceDetails(scaler_.get(), bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);
  return true;
}

bool Mp4Encoder::writeHeader(std::string* error) {
  stream_ = avformat_new_stream(container_.get(), nullptr);
  if (!stream_) return failed("MP4", AVERROR(ENOMEM), error);
  stream_->time_base = kPictureTime;
  stream_->avg_frame_rate = kPicturesPerSecond;
  stream_->r_frame_rate = kPicturesPerSecond;
  int code = avcodec_parameters_from_context(stream_->codecpar, codec_.get());
  if (code < 0) return failed("MP4", code, error);
  AVDictionary* options = nullptr;
  if (!io_.seekable()) av_dict_set(&options, "movflags", kStreamingFlags, 0);
  code = avformat_write_header(container_.get(), &options);
  av_dict_free(&options);
  return code >= 0 || failed("MP4", code, error);
}

bool Mp4Encoder::add(const Picture& picture, std::string* error) {
  const int code = av_frame_make_writable(frame_.get());  // the encoder may still hold it
  if (code < 0) return failed("H.264", code, error);
  const std::uint8_t* rows[] = {picture.rgba.data()};
  const int rowBytes[] = {picture.size.width * 4};
  sws_scale(scaler_.get(), rows, rowBytes, 0, picture.size.height, frame_->data,
            frame_->linesize);
  frame_->pts = pictures_++;
  return encode(frame_.get(), error);
}

// Hands the frame (none: the end) to the encoder and writes every packet
// it has ready.
bool Mp4Encoder::encode(const AVFrame* frame, std::string* error) {
  int code = avcodec_send_frame(codec_.get(), frame);
  if (code < 0) return failed("H.264", code, error);
  for (;;) {
    code = avcodec_receive_packet(codec_.get(), packet_.get());
    if (code == AVERROR(EAGAIN) || code == AVERROR_EOF) return true;
    if (code < 0) return failed("H.264", code, error);
    av_packet_rescale_ts(packet_.get(), codec_->time_base, stream_->time_base);
    packet_->stream_index = stream_->index;
    code = av_interleaved_write_frame(container_.get(), packet_.get());
    if (code < 0) return failed("MP4", code, error);
  }
}

bool Mp4Encoder::finish(std::string* error) {
  if (!encode(nullptr, error)) return false;
  const int code = av_write_trailer(container_.get());
  if (code < 0) return failed("MP4", code, error);
  avio_flush(io_.context());
  return out_.flush() || failed("MP4", AVERROR(out_.error()), error);
}

// A write that failed says why (the system's reason); FFmpeg says the rest.
bool Mp4Encoder::failed(const std::string& what, int code, std::string* error) const {
  *error = out_.failed() ? std::strerror(out_.error()) : what + ": " + ffmpegError(code);
  return false;
}

}  // namespace

std::unique_ptr<PictureEncoder> openMp4Encoder(PictureSize size, Output& out, std::string* error) {
  auto encoder = std::make_unique<Mp4Encoder>(size, out);
  if (!encoder->open(error)) return nullptr;
  return encoder;
}

}  // namespace kinemora
