#include "toolkit/graphics/Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

EJPEG::EJPEG(int code) : Exception(L"JPEG error #%d", {code}) {}

namespace {

struct TJpegError {
  jpeg_error_mgr Manager;
  jmp_buf Escape;
};

void ErrorExit(j_common_ptr info) { longjmp(reinterpret_cast<TJpegError*>(info->err)->Escape, 1); }
void NoOutput(j_common_ptr) {}

struct TDecoded {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Rgb;
};

// No C++ object with a destructor lives across the setjmp: libjpeg leaves by
// longjmp on bad data, and the decoder is destroyed on both paths.
int DecodeRgb(const uint8_t* data, size_t size, TDecoded& out) {
  jpeg_decompress_struct info;
  TJpegError error;
  info.err = jpeg_std_error(&error.Manager);
  error.Manager.error_exit = ErrorExit;
  error.Manager.output_message = NoOutput;
  if (setjmp(error.Escape)) {
    int code = error.Manager.msg_code;
    jpeg_destroy_decompress(&info);
    return code ? code : -1;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  out.Width = static_cast<int>(info.output_width);
  out.Height = static_cast<int>(info.output_height);
  out.Rgb.resize(static_cast<size_t>(out.Width) * out.Height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out.Rgb.data() + static_cast<size_t>(info.output_scanline) * out.Width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return 0;
}

}  // namespace

void DecodeJpeg(const uint8_t* data, size_t size, TBitmap& bitmap) {
  TDecoded decoded;
  if (int code = DecodeRgb(data, size, decoded)) throw EJPEG(code);
  bitmap.SetSize(decoded.Width, decoded.Height, pf24bit);
  for (int y = 0; y < decoded.Height; ++y) {
    const uint8_t* source = decoded.Rgb.data() + static_cast<size_t>(y) * decoded.Width * 3;
    uint8_t* target = bitmap.ScanLine(y);
    for (int x = 0; x < decoded.Width; ++x) {  // the bitmap's pixels are BGR
      target[x * 3] = source[x * 3 + 2];
      target[x * 3 + 1] = source[x * 3 + 1];
      target[x * 3 + 2] = source[x * 3];
    }
  }
}

void LoadJpegResource(TBitmap& bitmap, const wchar_t* name) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, name, reinterpret_cast<LPCWSTR>(RT_RCDATA));
  if (!found) throw Exception(L"Resource %s not found", {name});
  auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
  DecodeJpeg(bytes, SizeofResource(module, found), bitmap);
}
