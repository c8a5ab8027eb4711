#include "encode/gif_encoder.h"

#include <gif_lib.h>

#include <cstring>

#include "encode/palette.h"

namespace kinemora {

namespace {

// 30 pictures a second in the GIF's hundredths: three pictures take 0.1 s.
constexpr int kDelays[] = {3, 3, 4};
// Repeat for ever: the NETSCAPE2.0 block's loop count 0.
constexpr GifByteType kLoopApplication[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E',
                                            '2', '.', '0'};
constexpr GifByteType kLoopForEver[] = {1, 0, 0};

struct Rectangle {
  int left = 0, top = 0, width = 1, height = 1;
};

// Where `now` differs from `before`, both width wide; a single pixel when
// they are the same, since every picture is stored.
Rectangle changedRectangle(const std::vector<std::uint8_t>& before,
                           const std::vector<std::uint8_t>& now, int width, int height) {
  const auto row = [&](const std::vector<std::uint8_t>& p, int y) { return &p[y * width]; };
  int top = 0, bottom = height - 1;
  while (top < height && !std::memcmp(row(before, top), row(now, top), width)) ++top;
  if (top == height) return {};
  while (!std::memcmp(row(before, bottom), row(now, bottom), width)) --bottom;
  int left = width - 1, right = 0;
  for (int y = top; y <= bottom; ++y) {
    const std::uint8_t *a = row(before, y), *b = row(now, y);
    for (int x = 0; x < left; ++x) {
      if (a[x] != b[x]) left = x;
    }
    for (int x = width - 1; x > right; --x) {
      if (a[x] != b[x]) right = x;
    }
  }
  return {left, top, right - left + 1, bottom - top + 1};
}

// giflib's palette: a power of two entries, the rest black.
ColorMapObject* colourMap(const std::vector<Rgb>& colours) {
  int size = 2;
  while (size < static_cast<int>(colours.size())) size *= 2;
  ColorMapObject* map = GifMakeMapObject(size, nullptr);
  if (!map) return nullptr;
  for (int i = 0; i < size; ++i) {
    const Rgb c = i < static_cast<int>(colours.size()) ? colours[i] : Rgb{};
    map->Colors[i] = {c.r, c.g, c.b};
  }
  return map;
}

int writeToOutput(GifFileType* gif, const GifByteType* bytes, int length) {
  Output& out = *static_cast<Output*>(gif->UserData);
  out.bytes(bytes, static_cast<std::size_t>(length));
  return out.failed() ? 0 : length;
}

class GifEncoder : public PictureEncoder {
 public:
  GifEncoder(PictureSize size, const std::vector<Rgb>& palette, Output& out)
      : size_(size), palette_(palette), out_(out) {}
  ~GifEncoder() override { close(); }

  bool open(std::string* error);
  bool add(const Picture& picture, std::string* error) override;
  bool finish(std::string* error) override;

 private:
  bool putLoopExtension();
  bool putPicture(const Rectangle& r);
  bool failed(int gifError, std::string* error) const;
  int close();

  PictureSize size_;
  Palette palette_;
  Output& out_;
  GifFileType* gif_ = nullptr;
  int pictures_ = 0;
  std::vector<std::uint8_t> indices_, previous_;
};

bool GifEncoder::open(std::string* error) {
  int gifError = 0;
  gif_ = EGifOpen(&out_, writeToOutput, &gifError);
  if (!gif_) return failed(gifError, error);
  EGifSetGifVersion(gif_, true);  // GIF89a: delays and the loop
  ColorMapObject* map = colourMap(palette_.colours());
  const bool ok = map && EGifPutScreenDesc(gif_, size_.width, size_.height, 8, 0, map) == GIF_OK &&
                  putLoopExtension();
  GifFreeMapObject(map);
  return ok || failed(gif_->Error, error);
}

bool GifEncoder::putLoopExtension() {
  return EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif_, sizeof kLoopApplication, kLoopApplication) == GIF_OK &&
         EGifPutExtensionBlock(gif_, sizeof kLoopForEver, kLoopForEver) == GIF_OK &&
         EGifPutExtensionTrailer(gif_) == GIF_OK;
}

bool GifEncoder::add(const Picture& picture, std::string* error) {
  palette_.index(picture, &indices_);
  const Rectangle r = pictures_ == 0
                          ? Rectangle{0, 0, size_.width, size_.height}
                          : changedRectangle(previous_, indices_, size_.width, size_.height);
  if (!putPicture(r)) return failed(gif_->Error, error);
  indices_.swap(previous_);
  ++pictures_;
  return true;
}

bool GifEncoder::putPicture(const Rectangle& r) {
  GraphicsControlBlock timing{};
  timing.DisposalMode = DISPOSE_DO_NOT;  // the next picture draws over this one
  timing.DelayTime = kDelays[pictures_ % 3];
  timing.TransparentColor = NO_TRANSPARENT_COLOR;
  GifByteType extension[4];
  const int length = static_cast<int>(EGifGCBToExtension(&timing, extension));
  if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, length, extension) != GIF_OK ||
      EGifPutImageDesc(gif_, r.left, r.top, r.width, r.height, false, nullptr) != GIF_OK) {
    return false;
  }
  for (int y = r.top; y < r.top + r.height; ++y) {
    if (EGifPutLine(gif_, &indices_[y * size_.width + r.left], r.width) != GIF_OK) return false;
  }
  return true;
}

bool GifEncoder::finish(std::string* error) {
  const int gifError = close();
  if (gifError != D_GIF_SUCCEEDED) return failed(gifError, error);
  return out_.flush() || failed(0, error);
}

// Writes the trailer and lets go of giflib's state; giflib's error code.
int GifEncoder::close() {
  int gifError = D_GIF_SUCCEEDED;
  if (gif_ && EGifCloseFile(gif_, &gifError) == GIF_OK) gifError = D_GIF_SUCCEEDED;
  gif_ = nullptr;
  return gifError;
}

// A write that failed says why; giflib says the rest.
bool GifEncoder::failed(int gifError, std::string* error) const {
  if (out_.failed()) {
    *error = std::strerror(out_.error());
  } else {
    const char* reason = GifErrorString(gifError);
    *error = std::string("GIF: ") + (reason ? reason : "unknown error");
  }
  return false;
}

}  // namespace

std::unique_ptr<PictureEncoder> openGifEncoder(PictureSize size, const std::vector<Rgb>& palette,
                                               Output& out, std::string* error) {
  auto encoder = std::make_unique<GifEncoder>(size, palette, out);
  if (!encoder->open(error)) return nullptr;
  return encoder;
}

}  // namespace kinemora
