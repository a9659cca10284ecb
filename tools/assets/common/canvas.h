// An RGB picture in memory and the 24-bit BMP writer every picture goes through.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb kMagenta{255, 0, 255};

class Canvas {
 public:
  Canvas(int width, int height, Rgb fill = {});

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // Out-of-range reads give black, writes are dropped: drawing code clips for free.
  Rgb Get(int x, int y) const { return Inside(x, y) ? px_[Index(x, y)] : Rgb{}; }
  void Set(int x, int y, Rgb c) {
    if (Inside(x, y)) px_[Index(x, y)] = c;
  }
  void FillRect(int x, int y, int w, int h, Rgb c);
  // Copies a w x h block; pixels equal to *key are skipped when key is given.
  void Blit(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy,
            const Rgb* key = nullptr);

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }
  int width_, height_;
  std::vector<Rgb> px_;
};

// Uncompressed 24-bit BMP: BITMAPFILEHEADER + BITMAPINFOHEADER, bottom-up rows
// padded to 4 bytes. Throws std::runtime_error when the file cannot be written.
void WriteBmp(const Canvas& canvas, const std::filesystem::path& file);
